// s/xml/AttrFactory.h
//
// The single source of attribute pairs: a size-bounded pool of pair shells. obtain copies a
// name and a value into a fresh block; release frees the block and keeps the shell while
// fewer than kCapacity are kept. Any thread: one lock guards the free list. Failures:
// obtain answers null when memory runs out (nothing is kept then).
#pragma once
#include <cstdint>

#include "s/thread/ObjLocker.h"
#include "s/xml/AttrPair.h"

namespace s::xml {

class AttrFactory {
public:
    static constexpr uint32_t kCapacity = 4096;

    // Built on first use and never destroyed, like the class pools: pairs released at exit
    // must still find it.
    static AttrFactory& shared();

    AttrFactory() = default;
    ~AttrFactory();
    AttrFactory(const AttrFactory&) = delete;
    AttrFactory& operator=(const AttrFactory&) = delete;

    AttrPair* obtain(const wchar_t* name, uint32_t nameLength, const wchar_t* value, uint32_t valueLength);
    void release(AttrPair* pair);  // null is ignored
    uint32_t keptCount();

private:
    AttrPair* takeShell();

    s::thread::ObjLocker m_lock;
    AttrPair* m_free = nullptr;
    uint32_t m_kept = 0;
};

}  // namespace s::xml
