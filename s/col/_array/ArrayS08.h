// s/col/_array/ArrayS08.h
//
// A growable array of signed bytes (int8_t), pooled; see ArrayBase for the element operations
// and TypedArray for the typed ones.
#pragma once
#include "s/col/_array/TypedArray.h"

namespace s::col::_array {

class ArrayS08 final : public TypedArray<int8_t> {
public:
    ArrayS08() = default;

    // ArrayBase
    s::base::IComparator* elementComparator() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_col__array_ArrayS08"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::col::_array
