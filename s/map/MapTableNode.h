// s/map/MapTableNode.h
//
// One entry of a MapTable, as code that walks the chains sees it: four 32-bit words, the
// key's hash, the key, the value and the next node of the chain (null at its end). Nodes
// are raw zeroed memory from NodePool<MapTableNode>; only the table links and unlinks them.
// Whether key and value belong to the table is the table's disposal rules' business.
#pragma once
#include <cstdint>

namespace s::base { class IComparable; }

namespace s::map {

template <class Node> class ChainedTable;

class MapTableNode {
public:
    uint32_t hash() const { return m_hash; }
    s::base::IComparable* key() const { return m_key; }
    void* value() const { return m_value; }
    void setValue(void* value) { m_value = value; }
    MapTableNode* next() const { return static_cast<MapTableNode*>(m_next); }

private:
    friend class ChainedTable<MapTableNode>;

    uint32_t m_hash;
    s::base::IComparable* m_key;
    void* m_value;
    void* m_next;  // the same type as a chain head (a bucket's void*), so slots are uniform
};

// Walkers rely on the layout: 4 words, nothing else.
static_assert(sizeof(MapTableNode) == 4 * sizeof(void*), "MapTableNode is 4 words");

}  // namespace s::map
