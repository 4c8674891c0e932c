// s/col/PooledIterator.h
//
// The pooled iterator of one kind of owner: Self (the concrete iterator class, which adds its
// class id and how to read its owner) is kept in Pool<Self>. The iterator does not own its
// owner; whoever obtained it releases it with release() before the owner goes away.
#pragma once
#include <cstdint>

#include "s/col/CursorIterator.h"
#include "s/thread/IPoolable.h"
#include "s/thread/Pool.h"

namespace s::col {

template <class Self, class Owner>
class PooledIterator : public CursorIterator, public virtual s::thread::IPoolable {
public:
    // A pooled iterator over owner whose next() returns element `cursor` and whose index()
    // answers `index`; null when the pool has none to give.
    static Self* over(Owner* owner, uint32_t cursor, int32_t index) {
        Self* it = s::thread::Pool<Self>::obtain();
        if (!it) return nullptr;
        it->m_owner = owner;
        it->place(cursor, index);
        return it;
    }

    Owner* owner() const { return m_owner; }

    // IteratorBase
    void release() override { releaseToPool(); }
    void reset() override {
        m_owner = nullptr;
        clearCursor();
    }

    // IObject
    s::base::IObject* newInstance() const override { return s::thread::Pool<Self>::obtain(); }

    // IPoolable
    void releaseToPool() override { s::thread::Pool<Self>::release(static_cast<Self*>(this)); }
    void resetForReuse() override { reset(); }

protected:
    Owner* m_owner = nullptr;
};

}  // namespace s::col
