// s/archive/IconDirectoryEntry.h
//
// One image of an icon or cursor directory: where its directory entry stood in the stream,
// the entry as stored, and its bytes once loaded (a pooled array it owns until reset). The
// base of icon::Entry and cur::Entry; owned by its archive, one thread at a time.
#pragma once
#include "s/archive/IEntry.h"
#include "s/archive/IconDirectory.h"

namespace s::col::_array { class ArrayU08; }
namespace s::io { class IInputStream; }

namespace s::archive {

class IconDirectoryEntry : public s::archive::IEntry {
public:
    ~IconDirectoryEntry() override;

    uint64_t streamPosition() const { return m_position; }
    const IconFileEntry& fileEntry() const { return m_entry; }
    uint32_t width() const { return iconSide(m_entry.width); }
    uint32_t height() const { return iconSide(m_entry.height); }
    bool isLoaded() const { return m_loaded; }
    const s::col::_array::ArrayU08* data() const { return m_data; }

    void place(uint64_t position, const IconFileEntry& entry);
    // Takes the bytes (released on reset) and records their size as the data size.
    void takeData(s::col::_array::ArrayU08* bytes);
    // Reads the data from the stream on first use; false when it cannot be read whole.
    bool loadData(s::io::IInputStream* in);
    // A pooled copy of the loaded bytes; null when not loaded.
    s::col::_array::ArrayU08* copyData() const;

    // s::archive::IEntry: "W x H, B bits"; 0 (the size is the data's, see fileEntry)
    s::str::strbuffer::StrBuffer* name(s::str::strbuffer::StrBuffer* out, bool append) const override;
    uint64_t size() const override { return 0; }

    // IPoolable
    void resetForReuse() override;

protected:
    IconDirectoryEntry() = default;

private:
    uint64_t m_position = 0;
    IconFileEntry m_entry = {};
    bool m_loaded = false;
    s::col::_array::ArrayU08* m_data = nullptr;
};

}  // namespace s::archive
