// s/thread/FreeList.cpp
#include "s/thread/FreeList.h"

#include <cstring>
#include <new>

#include "s/col/_array/Growth.h"

namespace s::thread {

FreeList::~FreeList() { delete[] m_items; }

bool FreeList::push(void* item) {
    if (m_count == m_capacity) {
        uint32_t capacity = s::col::_array::nextCapacity(m_capacity);
        void** items = new (std::nothrow) void*[capacity];
        if (!items) return false;
        if (m_count) std::memcpy(items, m_items, m_count * sizeof(void*));
        delete[] m_items;
        m_items = items;
        m_capacity = capacity;
    }
    m_items[m_count++] = item;
    return true;
}

void* FreeList::pop() { return m_count ? m_items[--m_count] : nullptr; }

}  // namespace s::thread
