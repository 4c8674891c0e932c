// s/col/_array/ArrayU32.h
//
// A growable array of unsigned 32-bit values (uint32_t), pooled; see ArrayBase for the element operations
// and TypedArray for the typed ones.
#pragma once
#include "s/col/_array/TypedArray.h"

namespace s::col::_array {

class ArrayU32 final : public TypedArray<uint32_t> {
public:
    ArrayU32() = default;

    // ArrayBase
    s::base::IComparator* elementComparator() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_col__array_ArrayU32"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::col::_array
