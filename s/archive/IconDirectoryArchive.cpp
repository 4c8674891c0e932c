// s/archive/IconDirectoryArchive.cpp
#include "s/archive/IconDirectoryArchive.h"

#include "s/archive/IconDirectoryEntry.h"
#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"
#include "s/base/LittleEndian.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/IFileInputStream.h"
#include "s/file/IPath.h"
#include "s/image/ico/win/IconImage.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

#include <new>

namespace s::archive {

using s::col::_array::ArrayU08;

namespace {

using s::base::readLe16;

bool readWhole(s::io::IInputStream* in, void* buffer, uint32_t count) {
    uint32_t got = 0;
    return count == 0 || (in->read(buffer, count, &got) && got == count);
}

bool writeWhole(s::io::IOutputStream* out, const void* bytes, uint32_t count) {
    return count == 0 || out->write(bytes, count, nullptr);
}

}  // namespace

IconDirectoryArchive::~IconDirectoryArchive() { close(); }

IconDirectoryEntry* IconDirectoryArchive::imageEntry(uint32_t index) const {
    return m_entries.item<IconDirectoryEntry>(index);
}

s::archive::IEntry* IconDirectoryArchive::entryAt(uint32_t index) const { return imageEntry(index); }

bool IconDirectoryArchive::open(s::file::IPath* path) {
    close();
    if (!path || !path->isFile()) return false;
    s::file::IFileInputStream* in = path->openInputStream();
    if (!in) return false;
    const int64_t size = path->getSize(false, false, nullptr, nullptr, false);
    return openStream(in, true, 0, size > 0 ? static_cast<uint64_t>(size) : 0);
}

bool IconDirectoryArchive::openStream(s::io::IInputStream* in, bool owned, uint64_t base, uint64_t size) {
    close();
    m_stream = in;
    m_ownsStream = owned;
    m_base = base;
    m_fileSize = size;
    uint8_t header[kDirectoryHeaderBytes];
    uint16_t count = 0;
    bool ok = in && size > base && in->seek(base) && readWhole(in, header, sizeof header) &&
              readDirectoryHeader(header, size - base, m_type, kFileEntryBytes, &count);
    for (uint16_t k = 0; ok && k < count; ++k) {
        uint8_t raw[kFileEntryBytes];
        const uint64_t position = base + kDirectoryHeaderBytes + static_cast<uint64_t>(k) * kFileEntryBytes;
        ok = in->seek(position) && readWhole(in, raw, sizeof raw);
        IconFileEntry entry = adjustFileEntry(readFileEntry(raw));
        // Offsets count from the start of the directory's file.
        ok = ok && entry.dataOffset >= kDirectoryHeaderBytes && dataFits(entry, size - base);
        entry.dataOffset = static_cast<uint32_t>(entry.dataOffset + base);
        ok = ok && addEntry(position, entry, nullptr);
    }
    if (!ok) {
        close();
        return false;
    }
    m_count = count;
    return true;
}

bool IconDirectoryArchive::fillFromGroup(s::archive::dll::win::Archive* module, uint32_t index) {
    close();
    const uint32_t groupCode = m_type == kIconType ? s::archive::dll::kGroupIcon : s::archive::dll::kGroupCursor;
    const uint32_t imageCode = m_type == kIconType ? s::archive::dll::kIcon : s::archive::dll::kCursor;
    s::archive::dll::win::Entry* group = module ? module->entryOf(index) : nullptr;
    if (!group || !group->hasStandardType() || group->typeId() != groupCode) return false;
    ArrayU08* bytes = module->extractEntry(group);
    uint16_t count = 0;
    bool ok = bytes && readDirectoryHeader(bytes->data(), bytes->count(), m_type, kGroupEntryBytes, &count);
    for (uint16_t k = 0; ok && k < count; ++k) {
        const uint8_t* raw = bytes->data() + kDirectoryHeaderBytes + k * kGroupEntryBytes;
        uint32_t imageIndex = 0;
        if (!module->findTypeIdNameId(imageCode, readLe16(raw + 12), &imageIndex)) continue;
        ArrayU08* image = module->extractEntry(module->entryOf(imageIndex));
        IconFileEntry entry = {};
        if (image && entryFromGroup(raw, &image, &entry) && image->count() <= kMaxImageBytes) {
            ok = addEntry(0, entry, image);
        } else if (image) {
            image->releaseToPool();
        }
    }
    if (bytes) bytes->releaseToPool();
    if (!ok) close();
    m_count = static_cast<uint16_t>(m_entries.count());
    return ok;
}

bool IconDirectoryArchive::addEntry(uint64_t position, const IconFileEntry& fileEntry, ArrayU08* bytes) {
    IconDirectoryEntry* entry = newEntry();
    if (!entry || !m_entries.add(entry)) {
        if (entry) entry->releaseToPool();
        if (bytes) bytes->releaseToPool();
        return false;
    }
    entry->place(position, fileEntry);
    if (bytes) entry->takeData(bytes);
    return true;
}

bool IconDirectoryArchive::loaded(IconDirectoryEntry* entry) { return entry && entry->loadData(m_stream); }

bool IconDirectoryArchive::writeHeader(s::io::IOutputStream* out, uint16_t count) const {
    const uint8_t header[kDirectoryHeaderBytes] = {0, 0, static_cast<uint8_t>(m_type), 0,
                                                   static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
    return writeWhole(out, header, sizeof header);
}

bool IconDirectoryArchive::writeAsFile(s::io::IOutputStream* out) {
    const uint32_t count = m_entries.count();
    for (uint32_t k = 0; k < count; ++k) {
        if (!loaded(imageEntry(k))) return false;
    }
    if (!out || !writeHeader(out, static_cast<uint16_t>(count))) return false;
    uint32_t offset = kDirectoryHeaderBytes + kFileEntryBytes * count;
    for (uint32_t k = 0; k < count; ++k) {
        IconFileEntry entry = imageEntry(k)->fileEntry();
        entry.dataSize = imageEntry(k)->data()->count();
        entry.dataOffset = offset;
        offset += entry.dataSize;
        uint8_t raw[kFileEntryBytes];
        writeFileEntry(entry, raw);
        if (!writeWhole(out, raw, sizeof raw)) return false;
    }
    for (uint32_t k = 0; k < count; ++k) {
        const ArrayU08* data = imageEntry(k)->data();
        if (!writeWhole(out, data->data(), data->count())) return false;
    }
    return true;
}

bool IconDirectoryArchive::readEntry(s::archive::IEntry* given, s::io::IOutputStream* out) {
    int32_t at = -1;
    if (!out || !m_entries.indexOf(given, &at)) return false;
    IconDirectoryEntry* entry = imageEntry(static_cast<uint32_t>(at));
    if (!loaded(entry) || !writeHeader(out, 1)) return false;
    IconFileEntry fileEntry = entry->fileEntry();
    fileEntry.dataSize = entry->data()->count();
    fileEntry.dataOffset = kDirectoryHeaderBytes + kFileEntryBytes;
    uint8_t raw[kFileEntryBytes];
    writeFileEntry(fileEntry, raw);
    return writeWhole(out, raw, sizeof raw) && writeWhole(out, entry->data()->data(), fileEntry.dataSize);
}

bool IconDirectoryArchive::findBestEntry(uint32_t width, uint32_t height, uint32_t* index) const {
    const uint32_t count = m_entries.count();
    if (count == 0) return false;
    IconFileEntry* list = new (std::nothrow) IconFileEntry[count];
    if (!list) return false;
    for (uint32_t k = 0; k < count; ++k) list[k] = imageEntry(k)->fileEntry();
    const bool found = findBestIconEntry(list, count, width, height, index);
    delete[] list;
    return found;
}

s::image::ico::win::IconImage* IconDirectoryArchive::imageAt(uint32_t index) {
    IconDirectoryEntry* entry = imageEntry(index);
    if (!loaded(entry)) return nullptr;
    auto* image = s::thread::Pool<s::image::ico::win::IconImage>::obtain();
    ArrayU08* bytes = entry->copyData();
    const bool decoded = image && bytes && bytes->seekStart() && image->decode(bytes);
    if (bytes) bytes->releaseToPool();
    if (decoded) return image;
    if (image) image->releaseToPool();
    return nullptr;
}

void IconDirectoryArchive::close() {
    for (uint32_t k = 0; k < m_entries.count(); ++k) imageEntry(k)->releaseToPool();
    m_entries.clear();
    if (m_stream && m_ownsStream) m_stream->closeAndRelease();
    clearOpen();
}

void IconDirectoryArchive::clearOpen() {
    m_stream = nullptr;
    m_ownsStream = false;
    m_base = 0;
    m_fileSize = 0;
    m_count = 0;
}

}  // namespace s::archive
