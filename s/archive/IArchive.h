// s/archive/IArchive.h
//
// A set of named entries read from one source: a module's resources, an icon or a cursor
// directory. The archive owns its entries; entryAt answers null outside the list. One
// thread at a time. Failures answer false or null, never a partial entry.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayP; }
namespace s::file { class IPath; }
namespace s::io { class IOutputStream; }

namespace s::archive {

class IEntry;

class IArchive : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual uint64_t totalSize() const = 0;  // the size of the archive's file
    virtual uint32_t entryCount() const = 0;
    virtual const s::col::_array::ArrayP& entries() const = 0;
    virtual IEntry* entryAt(uint32_t index) const = 0;
    virtual bool open(s::file::IPath* path) = 0;  // closes what was open first
    virtual void close() = 0;
    // Writes the entry's bytes (icon and cursor entries as a one-image file); false when
    // they cannot be read or the stream refuses them.
    virtual bool readEntry(IEntry* entry, s::io::IOutputStream* out) = 0;
    virtual void clearOpen() = 0;  // forgets the source without reading it again
};

}  // namespace s::archive
