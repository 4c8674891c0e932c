// s/thread/PoolerBase.h
//
// A pool bounded by item count, by the size of one item and by the total size of all kept
// items; a derived class supplies generate(), resetItem() and destroyItem(). Sizes count
// only while accounting is on. Any thread may obtain and release.
//
// A base destructor cannot reach the derived class's destroyItem(), so the most derived
// class calls destroyKeptItems() in its own destructor; ~PoolerBase only frees the list.
#pragma once
#include <cstdint>

#include "s/base/IDestructor.h"
#include "s/base/IGenerator.h"
#include "s/base/IObject.h"
#include "s/thread/FreeList.h"
#include "s/thread/ObjLocker.h"

namespace s::thread {

class PoolerBase : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
public:
    PoolerBase() = default;
    ~PoolerBase() override = default;
    PoolerBase(const PoolerBase&) = delete;
    PoolerBase& operator=(const PoolerBase&) = delete;

    virtual uint32_t itemSize(void* item) { (void)item; return 1024; }
    virtual void release(void* item, int32_t size = -1);  // size -1: itemSize(item)
    virtual void* obtain();
    virtual void resetItem(void* item) = 0;
    virtual void destroyItem(void** slot) = 0;

    uint32_t keptCount();
    uint64_t totalSize();

    // IDestructor: releases the stored item and stores null
    void destroy(void** slot) override;

    // IObject
    const wchar_t* classId() const override { return L"s_thread_PoolerBase"; }

protected:
    void destroyKeptItems();

    uint32_t m_maxItems = 1000;
    uint32_t m_maxItemSize = 1024;
    uint64_t m_maxTotalSize = 102400;
    bool m_accounting = false;

private:
    ObjLocker m_lock;
    FreeList m_free;
    FreeList m_sizes;  // per kept item, what was added to the total for it
    uint64_t m_total = 0;
};

}  // namespace s::thread
