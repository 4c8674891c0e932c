// s/map/ChainedTable.h
//
// What MapTable and Map share: chains of raw pooled nodes in 211 to 113,905,901 buckets
// (twenty primes, rehashed at half load, chain order kept). The caller hashes the key
// (hashOf matches the ignore-case flag); keys match by hash, then equals/equalsIgnoreCase.
// Keys and values belong to the table only through its disposal rules (none: it owns
// nothing). No lock inside: users take locker() around their operations. A failed
// allocation leaves the table as it was.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/map/MapNode.h"
#include "s/map/MapTableNode.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::base { class IDestructor; }

namespace s::map {

inline constexpr int32_t kPrimeCount = 20;
inline constexpr uint32_t kBucketPrimes[kPrimeCount] = {
    211,     431,     863,     1733,     3467,     6947,     13901,    27803,    55609,    111227,
    222461,  444929,  889871,  1779761,  3559537,  7119103,  14238221, 28476473, 56952947, 113905901};

template <class Node>
class ChainedTable : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    ~ChainedTable() override;  // freeAll, then the bucket block goes
    ChainedTable(const ChainedTable&) = delete;
    ChainedTable& operator=(const ChainedTable&) = delete;

    // Attributes
    s::thread::ObjLocker& locker() { return m_lock; }
    uint32_t count() const { return m_count; }
    int32_t primeIndex() const { return m_primeIndex; }
    uint32_t bucketCount() const { return m_buckets.count(); }  // 0 before the first put
    Node* head(uint32_t bucket) const { return static_cast<Node*>(m_buckets.get(bucket)); }
    bool ignoreCase() const { return m_ignoreCase; }
    void setIgnoreCase(bool ignoreCase) { m_ignoreCase = ignoreCase; }
    // Rules applied to every key when the table is emptied for reuse, and at destruction.
    void setKeyDisposal(s::base::IDestructor* onReset, s::base::IDestructor* onDestroy);
    uint32_t hashOf(const s::base::IComparable* key) const;

    // Lookup. findSlot answers the place (a bucket head or a node's next link) that holds
    // the matching node, or the empty place at the end of the key's chain where a new node
    // would go; null when the table has no buckets yet (nothing can match). find answers
    // the matching node or null.
    void** findSlot(uint32_t hash, const s::base::IComparable* key) const;
    Node* find(uint32_t hash, const s::base::IComparable* key) const;

    // Emptying. releaseAll passes every key (and value) to the reset rules and returns the
    // nodes to their pool; freeAll uses the destruction rules and frees the nodes. Both
    // keep the buckets, cleared, and leave the count 0.
    void releaseAll();
    void freeAll();
    // A pooled ArrayP of every node, bucket by bucket, chain order within a bucket; the
    // caller releases it. Null when memory ran out.
    s::col::_array::ArrayP* collectNodes() const;
    // Grows the buckets to prime index (capped at the last prime) and relinks every node in
    // collection order; without buckets it only makes them. Nothing happens when the table
    // is already at that index or larger. False, table unchanged, when memory ran out.
    bool rehash(int32_t index);

    // IPoolable: emptied as by releaseAll, bucket block freed, rules, flag, index cleared
    void resetForReuse() override;

protected:
    ChainedTable() = default;
    ChainedTable(s::base::IDestructor* keyOnReset, s::base::IDestructor* keyOnDestroy);

    // A fresh node for (hash, key) linked at the end of its chain; null, nothing changed,
    // when an equal key is present, key is null or memory ran out.
    Node* insert(uint32_t hash, s::base::IComparable* key);
    void setValueDisposal(s::base::IDestructor* onReset, s::base::IDestructor* onDestroy);

private:
    void** heads() const { return m_buckets.data(); }
    bool makeBuckets(int32_t index);
    void linkAtEnd(Node* node);
    void empty(s::base::IDestructor* keyRule, s::base::IDestructor* valueRule, bool pooled);

    s::thread::ObjLocker m_lock;
    s::col::_array::ArrayP m_buckets;  // one chain head per bucket, owns nothing
    s::base::IDestructor* m_keyOnReset = nullptr;
    s::base::IDestructor* m_keyOnDestroy = nullptr;
    s::base::IDestructor* m_valueOnReset = nullptr;    // MapTable only
    s::base::IDestructor* m_valueOnDestroy = nullptr;  // MapTable only
    bool m_ignoreCase = false;
    int32_t m_primeIndex = 0;
    uint32_t m_count = 0;
};

extern template class ChainedTable<MapTableNode>;
extern template class ChainedTable<MapNode>;

}  // namespace s::map
