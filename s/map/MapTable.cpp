// s/map/MapTable.cpp
#include "s/map/MapTable.h"

#include "s/thread/Pool.h"

namespace s::map {

MapTable::MapTable(s::base::IDestructor* keyOnReset, s::base::IDestructor* keyOnDestroy,
                   s::base::IDestructor* valueOnReset, s::base::IDestructor* valueOnDestroy)
    : ChainedTable(keyOnReset, keyOnDestroy) {
    setValueDisposal(valueOnReset, valueOnDestroy);
}

bool MapTable::put(uint32_t hash, s::base::IComparable* key, void* value) {
    MapTableNode* node = insert(hash, key);
    if (!node) return false;
    node->setValue(value);
    return true;
}

s::base::IObject* MapTable::newInstance() const { return s::thread::Pool<MapTable>::obtain(); }

void MapTable::releaseToPool() { s::thread::Pool<MapTable>::release(this); }

}  // namespace s::map
