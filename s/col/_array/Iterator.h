// s/col/_array/Iterator.h
//
// The pooled iterator over an array's elements: next() and previous() return pointers into
// the array's block (null where there is no element). The iterator does not own the array;
// the caller releases the iterator (release()) before the array goes away.
#pragma once
#include <cstdint>

#include "s/col/CursorIterator.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array {

class ArrayBase;

class Iterator final : public s::col::CursorIterator, public virtual s::thread::IPoolable {
public:
    Iterator() = default;
    ~Iterator() override = default;

    // A pooled iterator over array whose next() returns element `cursor`; null when the
    // pool has none to give.
    static Iterator* over(ArrayBase* array, uint32_t cursor, int32_t index);

    ArrayBase* array() const { return m_array; }

    // IteratorBase
    void release() override { releaseToPool(); }
    void reset() override;

    // IObject
    const wchar_t* classId() const override { return L"s_col_array_Iterator"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { reset(); }

protected:
    uint32_t ownerCount() const override;
    void* ownerElement(uint32_t i) const override;

private:
    ArrayBase* m_array = nullptr;
};

}  // namespace s::col::_array
