// s/map/MapTable.h
//
// A hash table from key objects to values (see ChainedTable for hashing, growth, lookup
// and emptying). put stores a key and a value under the caller's hash; walkers read the
// nodes (MapTableNode) through findSlot/find or bucket by bucket through head(). The
// table owns keys and values only through the disposal rules it was given; a put that
// answers false leaves both with the caller. Pooled (capacity 1000); users take locker()
// around their operations when the table is shared.
#pragma once
#include "s/map/ChainedTable.h"

namespace s::map {

class MapTable final : public ChainedTable<MapTableNode> {
public:
    MapTable() = default;
    MapTable(s::base::IDestructor* keyOnReset, s::base::IDestructor* keyOnDestroy,
             s::base::IDestructor* valueOnReset, s::base::IDestructor* valueOnDestroy);
    ~MapTable() override = default;

    // True when the entry was added; false when an equal key is present (nothing changes),
    // key is null or memory ran out.
    bool put(uint32_t hash, s::base::IComparable* key, void* value);
    // Rules applied to every value when the table is emptied for reuse, and at destruction.
    using ChainedTable::setValueDisposal;

    // IObject
    const wchar_t* classId() const override { return L"s_map_MapTable"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::map
