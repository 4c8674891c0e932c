// s/archive/icon/Archive.h
//
// An icon directory: an .ico file or a group icon of a module (pooled, capacity 1000); see
// IconDirectoryArchive for what it reads, checks and writes.
#pragma once
#include <cstdint>

#include "s/archive/IconDirectoryArchive.h"

namespace s::archive::icon {

class Archive final : public s::archive::IconDirectoryArchive {
public:
    Archive() : IconDirectoryArchive(s::archive::kIconType) {}

    // IObject
    const wchar_t* classId() const override { return L"s_archive_icon_Archive"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;

protected:
    s::archive::IconDirectoryEntry* newEntry() const override;
    // A group icon entry holds the file entry's first 12 bytes; the image is the resource.
    bool entryFromGroup(const uint8_t* groupEntry, s::col::_array::ArrayU08** bytes,
                        s::archive::IconFileEntry* entry) const override;
};

// A pooled archive of the module's group icon with that numeric id; null when the module
// has none or it holds no image.
Archive* newIconArchive(s::archive::dll::win::Archive* module, uint16_t groupId);

}  // namespace s::archive::icon
