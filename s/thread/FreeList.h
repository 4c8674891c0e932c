// s/thread/FreeList.h
//
// The free list of a pool: a stack of object pointers that grows by the array growth rule.
// A pool cannot keep its free list in an ArrayP, because ArrayP is itself pooled. No lock:
// the pool guards it. push() returns false (and keeps nothing) when memory runs out.
#pragma once
#include <cstdint>

namespace s::thread {

class FreeList {
public:
    FreeList() = default;
    ~FreeList();
    FreeList(const FreeList&) = delete;
    FreeList& operator=(const FreeList&) = delete;

    uint32_t count() const { return m_count; }
    void* at(uint32_t i) const { return m_items[i]; }
    bool push(void* item);
    void* pop();                 // null when empty
    void clear() { m_count = 0; }

private:
    void** m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

}  // namespace s::thread
