// s/col/_array/Iterator.h
//
// The pooled iterator over an array's elements: next() and previous() return pointers into
// the array's block (null where there is no element). Made by the array's iterator
// operations; see PooledIterator for ownership.
#pragma once
#include <cstdint>

#include "s/col/PooledIterator.h"

namespace s::col::_array {

class ArrayBase;

class Iterator final : public s::col::PooledIterator<Iterator, ArrayBase> {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_col_array_Iterator"; }

protected:
    uint32_t ownerCount() const override;
    void* ownerElement(uint32_t i) const override;
};

}  // namespace s::col::_array
