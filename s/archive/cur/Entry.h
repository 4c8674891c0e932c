// s/archive/cur/Entry.h
//
// One image of an cursor directory (pooled, capacity 1000); see IconDirectoryEntry.
#pragma once
#include "s/archive/IconDirectoryEntry.h"

namespace s::archive::cur {

class Entry final : public s::archive::IconDirectoryEntry {
public:
    Entry() = default;

    // IObject
    const wchar_t* classId() const override { return L"s_archive_cur_Entry"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::archive::cur
