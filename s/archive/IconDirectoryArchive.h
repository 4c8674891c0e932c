// s/archive/IconDirectoryArchive.h
//
// An icon or cursor directory (the base of icon::Archive and cur::Archive): read from a
// file or a stream, or filled from a group resource of a module, and written back as a
// file. Owns its entries and, when it opened it, its stream. One thread at a time. Every
// count, offset and size is checked against the data before anything is read: a damaged
// directory opens as nothing (false), a damaged image is skipped.
#pragma once
#include "s/archive/IArchive.h"
#include "s/archive/IconDirectory.h"
#include "s/col/_array/ArrayP.h"

namespace s::archive::dll::win { class Archive; }
namespace s::col::_array { class ArrayU08; }
namespace s::io { class IInputStream; }
namespace s::image::ico::win { class IconImage; }

namespace s::archive {

class IconDirectoryEntry;

class IconDirectoryArchive : public s::archive::IArchive {
public:
    ~IconDirectoryArchive() override;
    IconDirectoryArchive(const IconDirectoryArchive&) = delete;
    IconDirectoryArchive& operator=(const IconDirectoryArchive&) = delete;

    uint16_t directoryType() const { return m_type; }
    uint64_t baseOffset() const { return m_base; }
    IconDirectoryEntry* imageEntry(uint32_t index) const;
    // Reads the directory at base in a stream of size bytes; owned: the stream is given
    // back with closeAndRelease when the archive closes.
    bool openStream(s::io::IInputStream* in, bool owned, uint64_t base, uint64_t size);
    // The images of the group resource at index of a module archive; images the group names
    // but the module lacks are skipped. False when the entry is no such group or is damaged.
    bool fillFromGroup(s::archive::dll::win::Archive* module, uint32_t index);
    // The whole directory as a file: header, entries with offsets from 6 + 16 x count on,
    // then the images (each loaded first). False when an image cannot be read.
    bool writeAsFile(s::io::IOutputStream* out);
    bool findBestEntry(uint32_t width, uint32_t height, uint32_t* index) const;
    // The image at index decoded by the ICO codec (pooled; the caller releases it); null
    // when it is absent or cannot be decoded.
    s::image::ico::win::IconImage* imageAt(uint32_t index);

    // s::archive::IArchive
    uint64_t totalSize() const override { return m_fileSize; }
    uint32_t entryCount() const override { return m_entries.count(); }
    const s::col::_array::ArrayP& entries() const override { return m_entries; }
    s::archive::IEntry* entryAt(uint32_t index) const override;
    bool open(s::file::IPath* path) override;
    void close() override;
    // A one-image file: header, the entry with offset 22, the image bytes.
    bool readEntry(s::archive::IEntry* entry, s::io::IOutputStream* out) override;
    void clearOpen() override;

    // IPoolable
    void resetForReuse() override { close(); }

protected:
    explicit IconDirectoryArchive(uint16_t type) : m_type(type) {}
    virtual IconDirectoryEntry* newEntry() const = 0;
    // The file entry and image bytes of one group entry (14 bytes) and the module's image
    // resource (bytes may be replaced); false skips the image.
    virtual bool entryFromGroup(const uint8_t* groupEntry, s::col::_array::ArrayU08** bytes,
                                IconFileEntry* entry) const = 0;
    // A read file entry as the archive keeps it.
    virtual IconFileEntry adjustFileEntry(const IconFileEntry& entry) const { return entry; }

private:
    bool addEntry(uint64_t position, const IconFileEntry& fileEntry, s::col::_array::ArrayU08* bytes);
    bool loaded(IconDirectoryEntry* entry);
    bool writeHeader(s::io::IOutputStream* out, uint16_t count) const;

    const uint16_t m_type;
    uint64_t m_base = 0;
    uint64_t m_fileSize = 0;
    uint16_t m_count = 0;
    s::col::_array::ArrayP m_entries;
    s::io::IInputStream* m_stream = nullptr;
    bool m_ownsStream = false;
};

}  // namespace s::archive
