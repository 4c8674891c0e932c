// s/map/Map.cpp
#include "s/map/Map.h"

#include "s/thread/Pool.h"

namespace s::map {

Map* Map::newMap() {
    Map* map = s::thread::Pool<Map>::obtain();
    if (map) map->setIgnoreCase(true);
    return map;
}

s::base::IObject* Map::newInstance() const { return s::thread::Pool<Map>::obtain(); }

void Map::releaseToPool() { s::thread::Pool<Map>::release(this); }

}  // namespace s::map
