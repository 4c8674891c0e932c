// tests/s/map/ChainedTableTest.cpp
//
// What MapTable and Map share (s/map/ChainedTable), shown through MapTable: lookups,
// growth through the primes, chain order, rehash, node collection and emptying.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "Keys.h"
#include "s/map/MapTable.h"
#include "s/map/NodePool.h"
#include "support/Pooled.h"

namespace {

using s::map::MapTable;
using s::map::MapTableNode;
using s::str::strbuffer::StrBuffer;
using tests::Keys;
using tests::Pooled;

std::wstring keyText(const MapTableNode* node) {
    return tests::text(static_cast<const StrBuffer*>(node->key()));
}

// Every key of a bucket's chain, in chain order.
std::vector<std::wstring> chain(const MapTable& table, uint32_t bucket) {
    std::vector<std::wstring> keys;
    for (MapTableNode* node = table.head(bucket); node; node = node->next()) keys.push_back(keyText(node));
    return keys;
}

// A table that never held an entry has no bucket block; a lookup used to read through it.
TEST(ChainedTable, LookupWithoutBucketsFindsNothing) {
    Keys keys;
    StrBuffer* key = keys.make(L"absent");
    Pooled<MapTable> table;
    ASSERT_EQ(0u, table->bucketCount());
    EXPECT_EQ(nullptr, table->findSlot(table->hashOf(key), key));
    EXPECT_EQ(nullptr, table->find(table->hashOf(key), key));
    EXPECT_EQ(nullptr, table->head(0));

    ASSERT_TRUE(table->put(table->hashOf(key), key, nullptr));
    table->resetForReuse();
    EXPECT_EQ(0u, table->bucketCount()) << "reset frees the bucket block";
    EXPECT_EQ(nullptr, table->findSlot(table->hashOf(key), key));

    ASSERT_TRUE(table->put(table->hashOf(key), key, nullptr));
    table->releaseAll();
    void** slot = table->findSlot(table->hashOf(key), key);
    ASSERT_NE(nullptr, slot) << "emptied, the buckets stay";
    EXPECT_EQ(nullptr, *slot);
}

TEST(ChainedTable, GrowsThroughThePrimesAtHalfLoad) {
    const uint32_t primes[] = {211,     431,     863,     1733,     3467,     6947,     13901,
                               27803,   55609,   111227,  222461,   444929,   889871,   1779761,
                               3559537, 7119103, 14238221, 28476473, 56952947, 113905901};
    ASSERT_EQ(sizeof primes / sizeof primes[0], static_cast<size_t>(s::map::kPrimeCount));
    for (int i = 0; i < s::map::kPrimeCount; ++i) EXPECT_EQ(primes[i], s::map::kBucketPrimes[i]) << i;

    struct Row {
        uint32_t puts, buckets;
        const char* why;
    } rows[] = {
        {1, 211, "the first put makes the buckets"},
        {105, 211, "105 entries stay below half of 211 when the 105th arrives"},
        {106, 431, "the 106th put finds 105 = 211 / 2 entries and rehashes"},
        {215, 431, "431 / 2 = 215 not reached before the 216th"},
        {216, 863, "then 863"},
        {431, 863, ""},
        {432, 1733, "863 / 2 = 431"},
    };
    Keys keys;
    Pooled<MapTable> table;
    uint32_t done = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        for (; done < row.puts; ++done) {
            StrBuffer* key = keys.make(L"key " + std::to_wstring(done));
            ASSERT_TRUE(table->put(table->hashOf(key), key, nullptr));
        }
        EXPECT_EQ(row.buckets, table->bucketCount()) << row.puts << " puts";
        EXPECT_EQ(row.puts, table->count());
    }
}

// Equal hashes share a chain in insertion order, through several rehashes too.
TEST(ChainedTable, EqualHashesKeepInsertionOrder) {
    constexpr uint32_t kHash = 7;
    Keys keys;
    Pooled<MapTable> table;
    std::vector<std::wstring> order;
    for (int i = 0; i < 500; ++i) {
        order.push_back(L"k" + std::to_wstring((i * 37) % 500));
        ASSERT_TRUE(table->put(kHash, keys.make(order.back()), nullptr));
        if (i == 2) {
            EXPECT_EQ(order, chain(*table, kHash)) << "before any rehash";
        }
    }
    EXPECT_EQ(1733u, table->bucketCount());
    EXPECT_EQ(order, chain(*table, kHash % 1733)) << "rehashes keep the order";

    StrBuffer* last = keys.make(order.back());
    EXPECT_EQ(order.back(), keyText(table->find(kHash, last)));
    StrBuffer* missing = keys.make(L"other");
    void** slot = table->findSlot(kHash, missing);
    ASSERT_NE(nullptr, slot);
    EXPECT_EQ(nullptr, *slot) << "the empty place at the chain's end";
    MapTableNode* tail = table->head(kHash);
    while (tail->next()) tail = tail->next();
    EXPECT_EQ(tail, table->find(kHash, last));
    EXPECT_EQ(nullptr, table->find(kHash + 1733, last)) << "same bucket, other hash: no match";
}

// The bucket index is the hash taken as unsigned.
TEST(ChainedTable, BucketIsTheUnsignedHashModuloThePrime) {
    Keys keys;
    Pooled<MapTable> table;
    const uint32_t hash = 0xFFFFFFFFu;  // -1 as a signed value
    ASSERT_TRUE(table->put(hash, keys.make(L"high"), nullptr));
    EXPECT_NE(nullptr, table->head(hash % 211));
}

TEST(ChainedTable, RehashCollectsInOrderAndOnlyGrows) {
    Keys keys;
    Pooled<MapTable> table;
    for (int i = 0; i < 50; ++i) table->put(static_cast<uint32_t>(i % 5), keys.make(L"n" + std::to_wstring(i)), nullptr);
    ASSERT_EQ(211u, table->bucketCount());

    s::col::_array::ArrayP* nodes = table->collectNodes();
    ASSERT_NE(nullptr, nodes);
    ASSERT_EQ(50u, nodes->count());
    for (uint32_t i = 0; i < 50; ++i) {
        // bucket by bucket (hash 0 first), chain order within a bucket
        const uint32_t expected = (i % 10) * 5 + i / 10;
        EXPECT_EQ(L"n" + std::to_wstring(expected), keyText(nodes->item<MapTableNode>(i))) << i;
    }
    nodes->releaseToPool();

    EXPECT_TRUE(table->rehash(3));
    EXPECT_EQ(1733u, table->bucketCount()) << "straight to index 3";
    EXPECT_TRUE(table->rehash(1));
    EXPECT_EQ(1733u, table->bucketCount()) << "never shrinks";
    for (int i = 0; i < 50; ++i) {
        StrBuffer* probe = keys.make(L"n" + std::to_wstring(i));
        EXPECT_NE(nullptr, table->find(static_cast<uint32_t>(i % 5), probe)) << i;
    }
    EXPECT_EQ(50u, table->count());
}

// 113,905,901 heads take 455 MB: the test needs that much free address space.
TEST(ChainedTable, IndexIsCappedAtTheLastPrime) {
    Pooled<MapTable> table;
    if (!table->rehash(25)) GTEST_SKIP() << "no room for the largest bucket block";
    EXPECT_EQ(19, table->primeIndex()) << "index 25 is taken as 19";
    EXPECT_EQ(113905901u, table->bucketCount());
    Keys keys;
    StrBuffer* key = keys.make(L"one");
    EXPECT_TRUE(table->put(table->hashOf(key), key, nullptr));
    EXPECT_TRUE(table->rehash(20));
    EXPECT_EQ(113905901u, table->bucketCount());
    EXPECT_EQ(table->find(table->hashOf(key), key), table->head(table->hashOf(key) % 113905901u));
    table->resetForReuse();
    EXPECT_EQ(0u, table->bucketCount());
}

TEST(ChainedTable, DuplicateKeysAreRefused) {
    struct Row {
        bool ignoreCase;
        const wchar_t* first;
        const wchar_t* second;
        bool secondAdded;
        const char* why;
    } rows[] = {
        {false, L"key", L"key", false, "equal keys"},
        {false, L"ABC", L"abc", true, "case matters without the flag"},
        {true, L"ABC", L"abc", false, "with the flag 'ABC' equals 'abc'"},
        {true, L"ABC", L"abd", true, "but not 'abd'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Keys keys;
        Pooled<MapTable> table;
        table->setIgnoreCase(row.ignoreCase);
        int firstValue = 1, secondValue = 2;
        StrBuffer* first = keys.make(row.first);
        StrBuffer* second = keys.make(row.second);
        ASSERT_TRUE(table->put(table->hashOf(first), first, &firstValue));
        EXPECT_EQ(row.secondAdded, table->put(table->hashOf(second), second, &secondValue));
        EXPECT_EQ(row.secondAdded ? 2u : 1u, table->count());
        MapTableNode* found = table->find(table->hashOf(second), second);
        ASSERT_NE(nullptr, found);
        EXPECT_EQ(row.secondAdded ? &secondValue : &firstValue, found->value()) << "a refused put changes nothing";
        EXPECT_EQ(row.secondAdded ? second : first, found->key());
    }
}

TEST(ChainedTable, NullKeyIsRefused) {
    Pooled<MapTable> table;
    EXPECT_FALSE(table->put(0, nullptr, nullptr));
    EXPECT_EQ(0u, table->count());
}

// releaseAll gives nodes back to the node pool, which keeps at most 10000 and frees the rest.
TEST(ChainedTable, ReleaseAllReturnsNodesToTheirPool) {
    s::thread::EasyPooler& nodes = s::map::NodePool<MapTableNode>::pooler();
    ASSERT_EQ(10000, nodes.capacity());
    Keys keys;
    Pooled<MapTable> table;
    for (int i = 0; i < 300; ++i) {
        StrBuffer* key = keys.make(L"p" + std::to_wstring(i));
        table->put(table->hashOf(key), key, nullptr);
    }
    const uint32_t before = nodes.keptCount();
    table->releaseAll();
    EXPECT_EQ(before + 300 > 10000 ? 10000u : before + 300, nodes.keptCount());
    EXPECT_EQ(0u, table->count());
    EXPECT_EQ(863u, table->bucketCount()) << "the buckets stay";
    for (uint32_t b = 0; b < table->bucketCount(); ++b) ASSERT_EQ(nullptr, table->head(b)) << b;

    for (int i = 0; i < 12000; ++i) {
        StrBuffer* key = keys.make(L"q" + std::to_wstring(i));
        table->put(table->hashOf(key), key, nullptr);
    }
    table->releaseAll();
    EXPECT_EQ(10000u, nodes.keptCount()) << "the pool keeps 10000 and frees the others";
    StrBuffer* key = keys.make(L"again");
    ASSERT_TRUE(table->put(table->hashOf(key), key, nullptr));
    EXPECT_EQ(9999u, nodes.keptCount()) << "a put takes a kept node";
}

// Tables on several threads share the node pool; each table is its own thread's.
TEST(ChainedTable, TablesOnSeveralThreadsShareTheNodePool) {
    constexpr int kThreads = 4, kRounds = 5, kEntries = 4000;
    std::vector<int> complete(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &complete] {
            Keys keys;
            std::vector<StrBuffer*> made;
            for (int i = 0; i < kEntries; ++i) made.push_back(keys.make(std::to_wstring(t) + L"/" + std::to_wstring(i)));
            MapTable table;
            for (int round = 0; round < kRounds; ++round) {
                for (StrBuffer* key : made) table.put(table.hashOf(key), key, key);
                bool all = table.count() == static_cast<uint32_t>(kEntries);
                for (StrBuffer* key : made) all = all && table.find(table.hashOf(key), key) != nullptr;
                table.releaseAll();
                complete[t] += all;
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(std::vector<int>(kThreads, kRounds), complete);
    EXPECT_LE(s::map::NodePool<MapTableNode>::pooler().keptCount(), 10000u);
}

}  // namespace
