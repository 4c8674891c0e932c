// s/archive/cur/Archive.cpp
#include "s/archive/cur/Archive.h"

#include "s/archive/cur/Entry.h"
#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"
#include "s/base/LittleEndian.h"
#include "s/col/_array/ArrayU08.h"
#include "s/thread/Pool.h"

namespace s::archive::cur {

namespace {

constexpr uint32_t kHotSpotBytes = 4;

using s::base::readLe16;
uint8_t sideByte(uint32_t side) { return side >= 256 ? 0 : static_cast<uint8_t>(side); }

}  // namespace

s::archive::IconDirectoryEntry* Archive::newEntry() const { return s::thread::Pool<Entry>::obtain(); }

bool Archive::entryFromGroup(const uint8_t* groupEntry, s::col::_array::ArrayU08** bytes,
                             s::archive::IconFileEntry* entry) const {
    s::col::_array::ArrayU08* image = *bytes;
    if (image->count() < kHotSpotBytes) return false;
    *entry = s::archive::IconFileEntry{};
    entry->width = sideByte(readLe16(groupEntry));
    entry->height = sideByte(readLe16(groupEntry + 2) / 2);
    entry->planes = readLe16(image->data());
    entry->bitCount = readLe16(image->data() + 2);
    image->dropFirst(kHotSpotBytes);
    entry->dataSize = image->count();
    return true;
}

s::archive::IconFileEntry Archive::adjustFileEntry(const s::archive::IconFileEntry& entry) const {
    s::archive::IconFileEntry adjusted = entry;
    if (adjusted.height == 0) adjusted.height = adjusted.width;
    return adjusted;
}

s::base::IObject* Archive::newInstance() const { return s::thread::Pool<Archive>::obtain(); }

void Archive::releaseToPool() { s::thread::Pool<Archive>::release(this); }

Archive* newCursorArchive(s::archive::dll::win::Archive* module, uint16_t groupId) {
    uint32_t index = 0;
    if (!module || !module->findTypeIdNameId(s::archive::dll::kGroupCursor, groupId, &index)) return nullptr;
    Archive* archive = s::thread::Pool<Archive>::obtain();
    if (archive && archive->fillFromGroup(module, index) && archive->entryCount()) return archive;
    if (archive) archive->releaseToPool();
    return nullptr;
}

}  // namespace s::archive::cur
