// s/map/MapNode.h
//
// One entry of a Map (a set), as code that walks the chains sees it: three 32-bit words,
// the key's hash, the key and the next node of the chain (null at its end). Nodes are raw
// zeroed memory from NodePool<MapNode>; only the set links and unlinks them.
#pragma once
#include <cstdint>

namespace s::base { class IComparable; }

namespace s::map {

template <class Node> class ChainedTable;

class MapNode {
public:
    uint32_t hash() const { return m_hash; }
    s::base::IComparable* key() const { return m_key; }
    MapNode* next() const { return static_cast<MapNode*>(m_next); }

private:
    friend class ChainedTable<MapNode>;

    uint32_t m_hash;
    s::base::IComparable* m_key;
    void* m_next;  // the same type as a chain head (a bucket's void*), so slots are uniform
};

// Walkers rely on the layout: 3 words, nothing else.
static_assert(sizeof(MapNode) == 3 * sizeof(void*), "MapNode is 3 words");

}  // namespace s::map
