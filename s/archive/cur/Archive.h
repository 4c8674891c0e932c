// s/archive/cur/Archive.h
//
// A cursor directory: a .cur file or a group cursor of a module (pooled, capacity 1000);
// see IconDirectoryArchive. A stored height of 0 reads as the width.
#pragma once
#include <cstdint>

#include "s/archive/IconDirectoryArchive.h"

namespace s::archive::cur {

class Archive final : public s::archive::IconDirectoryArchive {
public:
    Archive() : IconDirectoryArchive(s::archive::kCursorType) {}

    // IObject
    const wchar_t* classId() const override { return L"s_archive_cur_Archive"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;

protected:
    s::archive::IconDirectoryEntry* newEntry() const override;
    // A module keeps a cursor's hot spot in the first 4 bytes of the image resource and its
    // group entry holds 16-bit width and doubled height: the file entry is rebuilt from both
    // and the hot spot is cut from the image, so that a written .cur is what files hold.
    bool entryFromGroup(const uint8_t* groupEntry, s::col::_array::ArrayU08** bytes,
                        s::archive::IconFileEntry* entry) const override;
    s::archive::IconFileEntry adjustFileEntry(const s::archive::IconFileEntry& entry) const override;
};

// A pooled archive of the module's group cursor with that numeric id; null when the module
// has none or it holds no image.
Archive* newCursorArchive(s::archive::dll::win::Archive* module, uint16_t groupId);

}  // namespace s::archive::cur
