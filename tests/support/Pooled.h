// tests/support/Pooled.h
//
// Test helpers for pooled library objects: Pooled<T> gives an object back to its pool when
// the scope ends, and text() reads a StrBuffer's whole content (embedded zeros too).
#pragma once
#include <string>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace tests {

template <class T>
class Pooled {
public:
    Pooled() : m_object(s::thread::Pool<T>::obtain()) {}
    explicit Pooled(T* object) : m_object(object) {}
    ~Pooled() {
        if (m_object) m_object->releaseToPool();
    }
    Pooled(const Pooled&) = delete;
    Pooled& operator=(const Pooled&) = delete;

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }

private:
    T* m_object;
};

inline std::wstring text(const s::str::strbuffer::StrBuffer* s) {
    return s && s->length() ? std::wstring(s->chars(), s->length()) : std::wstring();
}

}  // namespace tests
