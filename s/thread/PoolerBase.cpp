// s/thread/PoolerBase.cpp
#include "s/thread/PoolerBase.h"

#include <cstdint>

namespace s::thread {

namespace {
void* sizeSlot(uint32_t size) { return reinterpret_cast<void*>(static_cast<uintptr_t>(size)); }
uint32_t slotSize(void* slot) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(slot)); }
}  // namespace

// Each kept item is stored with the size that was added for it, so that obtain() takes off
// exactly that amount and the total cannot drift when a caller gave its own size.
void PoolerBase::release(void* item, int32_t size) {
    if (!item) return;
    uint32_t bytes = 0;
    if (m_accounting) bytes = size < 0 ? itemSize(item) : static_cast<uint32_t>(size);
    {
        Lock lock(m_lock);
        bool room = m_free.count() < m_maxItems;
        if (m_accounting) room = room && bytes <= m_maxItemSize && m_total + bytes <= m_maxTotalSize;
        if (room && m_sizes.push(sizeSlot(bytes))) {
            if (m_free.push(item)) {
                resetItem(item);
                m_total += bytes;
                return;
            }
            m_sizes.pop();
        }
    }
    void* slot = item;
    destroyItem(&slot);
}

void* PoolerBase::obtain() {
    {
        Lock lock(m_lock);
        if (void* item = m_free.pop()) {
            m_total -= slotSize(m_sizes.pop());
            return item;
        }
    }
    return generate();
}

uint32_t PoolerBase::keptCount() {
    Lock lock(m_lock);
    return m_free.count();
}

uint64_t PoolerBase::totalSize() {
    Lock lock(m_lock);
    return m_total;
}

void PoolerBase::destroy(void** slot) {
    if (!*slot) return;
    release(*slot, -1);
    *slot = nullptr;
}

void PoolerBase::destroyKeptItems() {
    while (void* item = m_free.pop()) {
        m_sizes.pop();
        destroyItem(&item);
    }
    m_total = 0;
}

}  // namespace s::thread
