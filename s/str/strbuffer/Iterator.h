// s/str/strbuffer/Iterator.h
//
// The pooled iterator over a string's units: next() and previous() return pointers to
// units in the string's block (null where there is none). Made by the string's iterator
// operations; see PooledIterator for ownership.
#pragma once
#include <cstdint>

#include "s/col/PooledIterator.h"

namespace s::str::strbuffer {

class StrBuffer;

class Iterator final : public s::col::PooledIterator<Iterator, StrBuffer> {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_str_strbuffer_Iterator"; }

protected:
    uint32_t ownerCount() const override;
    void* ownerElement(uint32_t i) const override;
};

}  // namespace s::str::strbuffer
