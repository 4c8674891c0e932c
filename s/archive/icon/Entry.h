// s/archive/icon/Entry.h
//
// One image of an icon directory (pooled, capacity 1000); see IconDirectoryEntry.
#pragma once
#include "s/archive/IconDirectoryEntry.h"

namespace s::archive::icon {

class Entry final : public s::archive::IconDirectoryEntry {
public:
    Entry() = default;

    // IObject
    const wchar_t* classId() const override { return L"s_archive_icon_Entry"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::archive::icon
