// s/archive/icon/Archive.cpp
#include "s/archive/icon/Archive.h"

#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"
#include "s/archive/icon/Entry.h"
#include "s/col/_array/ArrayU08.h"
#include "s/thread/Pool.h"

namespace s::archive::icon {

s::archive::IconDirectoryEntry* Archive::newEntry() const { return s::thread::Pool<Entry>::obtain(); }

bool Archive::entryFromGroup(const uint8_t* groupEntry, s::col::_array::ArrayU08** bytes,
                             s::archive::IconFileEntry* entry) const {
    uint8_t raw[s::archive::kFileEntryBytes] = {};
    for (int k = 0; k < 12; ++k) raw[k] = groupEntry[k];
    *entry = s::archive::readFileEntry(raw);
    entry->dataSize = (*bytes)->count();
    return true;
}

s::base::IObject* Archive::newInstance() const { return s::thread::Pool<Archive>::obtain(); }

void Archive::releaseToPool() { s::thread::Pool<Archive>::release(this); }

Archive* newIconArchive(s::archive::dll::win::Archive* module, uint16_t groupId) {
    uint32_t index = 0;
    if (!module || !module->findTypeIdNameId(s::archive::dll::kGroupIcon, groupId, &index)) return nullptr;
    Archive* archive = s::thread::Pool<Archive>::obtain();
    if (archive && archive->fillFromGroup(module, index) && archive->entryCount()) return archive;
    if (archive) archive->releaseToPool();
    return nullptr;
}

}  // namespace s::archive::icon
