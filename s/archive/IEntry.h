// s/archive/IEntry.h
//
// One entry of an archive: its name as text and its size in bytes (0 where the archive
// does not know it before reading). Entries belong to their archive.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer { class StrBuffer; }

namespace s::archive {

class IEntry : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // The name as text (a numeric name in decimal); the caller's string is emptied unless
    // append, a pooled one is made when none is given.
    virtual s::str::strbuffer::StrBuffer* name(s::str::strbuffer::StrBuffer* out, bool append) const = 0;
    virtual uint64_t size() const = 0;
};

}  // namespace s::archive
