// s/digest/IDigester.h
//
// A message digest fed in pieces: init() starts a message, update() adds bytes, finish()
// writes the digest (digestLength() bytes) to target, or to the digester's own result when
// target is null, and starts a new message. resultHex() gives the own result as lower-case
// hexadecimal text, into the caller's string (cleared unless append) or a pooled one.
// One thread at a time.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"

namespace s::str::strbuffer { class StrBuffer; }

namespace s::digest {

class IDigester : public s::base::IObject {
public:
    virtual uint32_t digestLength() const = 0;
    virtual void update(const void* data, uint32_t byteCount) = 0;
    virtual void finish(uint8_t* target) = 0;
    virtual void init() = 0;
    virtual s::str::strbuffer::StrBuffer* resultHex(s::str::strbuffer::StrBuffer* string,
                                                    bool append) const = 0;
};

}  // namespace s::digest
