// s/col/_array/ArrayU08.h
//
// A growable array of unsigned bytes (uint8_t), pooled; see ArrayBase for the element operations
// and TypedArray for the typed ones. The system's byte buffer.
#pragma once
#include "s/col/_array/TypedArray.h"

namespace s::col::_array {

class ArrayU08 final : public TypedArray<uint8_t> {
public:
    ArrayU08() = default;

    // ArrayBase
    s::base::IComparator* elementComparator() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_col__array_ArrayU08"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

// The caller's array (emptied unless append) or, when none is given, a pooled one; null
// only when the pool has none to give.
ArrayU08* resultBytes(ArrayU08* given, bool append);

}  // namespace s::col::_array
