// s/map/Map.h
//
// A set of key objects (see ChainedTable for hashing, growth, lookup and emptying). put
// adds a key under the caller's hash; walkers read the nodes (MapNode) through
// findSlot/find or bucket by bucket through head(). The set owns its keys only through the
// disposal rules it was given; a put that answers false leaves the key with the caller.
// Pooled (capacity 1000); users take locker() around their operations when it is shared.
#pragma once
#include "s/map/ChainedTable.h"

namespace s::map {

class Map final : public ChainedTable<MapNode> {
public:
    Map() = default;
    Map(s::base::IDestructor* keyOnReset, s::base::IDestructor* keyOnDestroy)
        : ChainedTable(keyOnReset, keyOnDestroy) {}
    ~Map() override = default;

    // A set from the pool that compares keys ignoring case and owns none; null when none
    // could be made.
    static Map* newMap();

    // True when the key was added; false when an equal key is present (nothing changes),
    // key is null or memory ran out.
    bool put(uint32_t hash, s::base::IComparable* key) { return insert(hash, key) != nullptr; }

    // IObject
    const wchar_t* classId() const override { return L"s_map_Map"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
};

}  // namespace s::map
