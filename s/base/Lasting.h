// s/base/Lasting.h
//
// Room for a shared object that is built on first use and never destroyed (it outlives
// every static that may still reach it at exit). The object lives in static storage, not on
// the heap: building it asks for no memory, so no allocation failure can throw out of the
// first use of a shared object (exceptions are on in the build), be that in a thread entry
// or a window procedure. Declare it as a function-local static; the run-time builds it once
// even when several threads ask at the same time.
#pragma once
#include <new>
#include <utility>

namespace s::base {

template <class T>
class Lasting {
public:
    template <class... Args>
    explicit Lasting(Args&&... args) {
        new (static_cast<void*>(m_storage)) T(std::forward<Args>(args)...);
    }
    Lasting(const Lasting&) = delete;
    Lasting& operator=(const Lasting&) = delete;

    T& get() { return *std::launder(reinterpret_cast<T*>(m_storage)); }

private:
    alignas(T) unsigned char m_storage[sizeof(T)];
};

}  // namespace s::base
