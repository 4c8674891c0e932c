// s/col/_array/ArrayS32.h
//
// A growable array of signed 32-bit values (int32_t), pooled; see ArrayBase for the element operations
// and TypedArray for the typed ones.
#pragma once
#include "s/col/_array/TypedArray.h"

namespace s::col::_array {

class ArrayS32 final : public TypedArray<int32_t> {
public:
    ArrayS32() = default;

    // ArrayBase
    s::base::IComparator* elementComparator() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_col__array_ArrayS32"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::col::_array
