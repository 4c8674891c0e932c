// s/col/ICollection.h
//
// A counted collection of fixed-size elements that can describe itself as text, in an
// XML-like form and as a digest. Text results go into the caller's StrBuffer (cleared first
// unless append) or, when none is given, into a pooled one that the caller releases; null
// only when no string could be had.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"

namespace s::str::strbuffer { class StrBuffer; }
namespace s::digest { class IDigester; }

namespace s::col {

class ICollection : public s::base::IObject {
public:
    virtual const wchar_t* className() const = 0;
    virtual uint32_t count() const = 0;
    virtual uint64_t byteSize(int32_t n) const = 0;  // bytes of n elements; -1: of all
    virtual void clear() = 0;
    virtual s::str::strbuffer::StrBuffer* toText(s::str::strbuffer::StrBuffer* string,
                                                 bool append) const = 0;
    virtual s::str::strbuffer::StrBuffer* toXml(s::str::strbuffer::StrBuffer* string,
                                                bool append) const = 0;
    // The element bytes' digest as hexadecimal text; a pooled MD5 when digester is null.
    virtual s::str::strbuffer::StrBuffer* digest(s::digest::IDigester* digester,
                                                 s::str::strbuffer::StrBuffer* result,
                                                 bool append) const = 0;
};

}  // namespace s::col
