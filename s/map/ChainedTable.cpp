// s/map/ChainedTable.cpp
#include "s/map/ChainedTable.h"

#include <cstring>

#include "s/base/IDestructor.h"
#include "s/map/NodePool.h"
#include "s/thread/Pool.h"

namespace s::map {

namespace {

constexpr int32_t kLastPrimeIndex = kPrimeCount - 1;

// Keys are IObjects (IObject is every class's first base), so the key's IComparable
// pointer is the object pointer that disposal rules expect.
void disposeKey(s::base::IComparable* key, s::base::IDestructor* rule) {
    if (!rule || !key) return;
    void* object = key;
    rule->destroy(&object);
}

void disposeValue(MapTableNode* node, s::base::IDestructor* rule) {
    if (!rule || !node->value()) return;
    void* value = node->value();
    rule->destroy(&value);
    node->setValue(value);
}
void disposeValue(MapNode*, s::base::IDestructor*) {}

}  // namespace

template <class Node>
ChainedTable<Node>::ChainedTable(s::base::IDestructor* keyOnReset, s::base::IDestructor* keyOnDestroy)
    : m_keyOnReset(keyOnReset), m_keyOnDestroy(keyOnDestroy) {}

template <class Node>
ChainedTable<Node>::~ChainedTable() {
    freeAll();
}

template <class Node>
void ChainedTable<Node>::setKeyDisposal(s::base::IDestructor* onReset, s::base::IDestructor* onDestroy) {
    m_keyOnReset = onReset;
    m_keyOnDestroy = onDestroy;
}

template <class Node>
void ChainedTable<Node>::setValueDisposal(s::base::IDestructor* onReset, s::base::IDestructor* onDestroy) {
    m_valueOnReset = onReset;
    m_valueOnDestroy = onDestroy;
}

template <class Node>
uint32_t ChainedTable<Node>::hashOf(const s::base::IComparable* key) const {
    if (!key) return 0;
    return m_ignoreCase ? key->hashCodeIgnoreCase() : key->hashCode();
}

// A table that never held an entry has no bucket block: there is no place to answer.
template <class Node>
void** ChainedTable<Node>::findSlot(uint32_t hash, const s::base::IComparable* key) const {
    const uint32_t buckets = m_buckets.count();
    if (buckets == 0) return nullptr;
    void** slot = &heads()[hash % buckets];
    while (Node* node = static_cast<Node*>(*slot)) {
        if (node->m_hash == hash &&
            (m_ignoreCase ? node->m_key->equalsIgnoreCase(key) : node->m_key->equals(key)))
            break;
        slot = &node->m_next;
    }
    return slot;
}

template <class Node>
Node* ChainedTable<Node>::find(uint32_t hash, const s::base::IComparable* key) const {
    void** slot = findSlot(hash, key);
    return slot ? static_cast<Node*>(*slot) : nullptr;
}

template <class Node>
Node* ChainedTable<Node>::insert(uint32_t hash, s::base::IComparable* key) {
    if (!key) return nullptr;
    if (m_buckets.count() == 0) {
        if (!makeBuckets(m_primeIndex)) return nullptr;
    } else if (m_count >= kBucketPrimes[m_primeIndex] / 2) {
        rehash(m_primeIndex + 1);  // when it fails, the chains just grow longer
    }
    void** slot = findSlot(hash, key);
    if (*slot) return nullptr;
    Node* node = NodePool<Node>::obtain();
    if (!node) return nullptr;
    node->m_hash = hash;
    node->m_key = key;
    *slot = node;
    ++m_count;
    return node;
}

template <class Node>
bool ChainedTable<Node>::makeBuckets(int32_t index) {
    const uint32_t prime = kBucketPrimes[index];
    if (!m_buckets.setCapacity(prime)) return false;
    m_buckets.setCount(prime);
    std::memset(heads(), 0, sizeof(void*) * prime);
    m_primeIndex = index;
    return true;
}

template <class Node>
void ChainedTable<Node>::linkAtEnd(Node* node) {
    node->m_next = nullptr;
    void** slot = &heads()[node->m_hash % m_buckets.count()];
    while (*slot) slot = &static_cast<Node*>(*slot)->m_next;
    *slot = node;
}

// The nodes are collected before the heads are cleared, and the block is grown before
// anything is relinked, so a failure on either leaves every chain as it was.
template <class Node>
bool ChainedTable<Node>::rehash(int32_t index) {
    if (index > kLastPrimeIndex) index = kLastPrimeIndex;
    if (index < 0) index = 0;
    if (m_buckets.count() == 0) return makeBuckets(index);
    if (m_primeIndex >= index) return true;
    s::col::_array::ArrayP* nodes = collectNodes();
    if (!nodes) return false;
    const bool grown = makeBuckets(index);
    if (grown) {
        for (uint32_t i = 0; i < nodes->count(); ++i) linkAtEnd(nodes->item<Node>(i));
    }
    nodes->clear();
    nodes->releaseToPool();
    return grown;
}

template <class Node>
s::col::_array::ArrayP* ChainedTable<Node>::collectNodes() const {
    s::col::_array::ArrayP* nodes = s::thread::Pool<s::col::_array::ArrayP>::obtain();
    if (!nodes) return nullptr;
    if (!nodes->reserve(m_count)) {
        nodes->releaseToPool();
        return nullptr;
    }
    for (uint32_t b = 0; b < m_buckets.count(); ++b)
        for (Node* node = head(b); node; node = static_cast<Node*>(node->m_next)) nodes->add(node);
    return nodes;
}

template <class Node>
void ChainedTable<Node>::empty(s::base::IDestructor* keyRule, s::base::IDestructor* valueRule, bool pooled) {
    for (uint32_t b = 0; b < m_buckets.count(); ++b) {
        Node* node = head(b);
        heads()[b] = nullptr;
        while (node) {
            Node* next = static_cast<Node*>(node->m_next);
            disposeKey(node->m_key, keyRule);
            disposeValue(node, valueRule);
            if (pooled)
                NodePool<Node>::release(node);
            else
                NodePool<Node>::free(node);
            node = next;
        }
    }
    m_count = 0;
}

template <class Node>
void ChainedTable<Node>::releaseAll() {
    empty(m_keyOnReset, m_valueOnReset, true);
}

template <class Node>
void ChainedTable<Node>::freeAll() {
    empty(m_keyOnDestroy, m_valueOnDestroy, false);
}

template <class Node>
void ChainedTable<Node>::resetForReuse() {
    releaseAll();
    m_buckets.freeBuffer();
    m_keyOnReset = m_keyOnDestroy = m_valueOnReset = m_valueOnDestroy = nullptr;
    m_ignoreCase = false;
    m_primeIndex = 0;
}

template class ChainedTable<MapTableNode>;
template class ChainedTable<MapNode>;

}  // namespace s::map
