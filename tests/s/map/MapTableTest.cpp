// tests/s/map/MapTableTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "Keys.h"
#include "s/map/MapTable.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"

namespace {

using s::map::MapTable;
using s::map::MapTableNode;
using s::str::strbuffer::StrBuffer;
using tests::Keys;
using tests::Pooled;
using tests::Recorder;

// Reset rules run on releaseAll and on the pool's reset, destruction rules on freeAll and in
// the destructor; a refused put leaves key and value with the caller.
TEST(MapTable, DisposalRulesRunWhereTheyBelong) {
    Recorder keyOnReset, keyOnDestroy, valueOnReset, valueOnDestroy;
    int v1 = 1, v2 = 2, v3 = 3;
    Keys keys;
    StrBuffer* a = keys.make(L"a");
    StrBuffer* b = keys.make(L"b");
    StrBuffer* again = keys.make(L"a");
    {
        MapTable table(&keyOnReset, &keyOnDestroy, &valueOnReset, &valueOnDestroy);
        ASSERT_TRUE(table.put(table.hashOf(a), a, &v1));
        ASSERT_TRUE(table.put(table.hashOf(b), b, nullptr));
        EXPECT_FALSE(table.put(table.hashOf(again), again, &v3));
        table.releaseAll();
        EXPECT_EQ((std::set<void*>{a, b}), std::set<void*>(keyOnReset.destroyed.begin(), keyOnReset.destroyed.end()));
        EXPECT_EQ(std::vector<void*>{&v1}, valueOnReset.destroyed) << "null values are skipped";
        EXPECT_TRUE(keyOnDestroy.destroyed.empty());

        ASSERT_TRUE(table.put(table.hashOf(b), b, &v2));
        table.freeAll();
        EXPECT_EQ(std::vector<void*>{b}, keyOnDestroy.destroyed);
        EXPECT_EQ(std::vector<void*>{&v2}, valueOnDestroy.destroyed);

        ASSERT_TRUE(table.put(table.hashOf(a), a, &v3));
    }
    EXPECT_EQ((std::vector<void*>{b, a}), keyOnDestroy.destroyed) << "the destructor frees what is left";
    EXPECT_EQ((std::vector<void*>{&v2, &v3}), valueOnDestroy.destroyed);
    for (void* refused : keyOnReset.destroyed) EXPECT_NE(static_cast<void*>(again), refused);
}

TEST(MapTable, PoolResetForgetsRulesFlagAndIndex) {
    Recorder keyRule(true), valueRule;
    int value = 5;
    Keys keys;
    MapTable* table = s::thread::Pool<MapTable>::obtain();
    ASSERT_NE(nullptr, table);
    EXPECT_STREQ(L"s_map_MapTable", table->classId());
    table->setKeyDisposal(&keyRule, nullptr);
    table->setValueDisposal(&valueRule, nullptr);
    table->setIgnoreCase(true);
    for (int i = 0; i < 200; ++i) {
        StrBuffer* key = keys.make(L"K" + std::to_wstring(i));
        keys.handOver(key);
        ASSERT_TRUE(table->put(table->hashOf(key), key, &value));
    }
    ASSERT_EQ(1, table->primeIndex());
    table->releaseToPool();
    EXPECT_EQ(200u, keyRule.destroyed.size()) << "the pool's reset empties the table with the reset rules";
    EXPECT_EQ(200u, valueRule.destroyed.size());

    MapTable* again = static_cast<MapTable*>(table->newInstance());
    ASSERT_EQ(table, again) << "the pool hands the released table out again";
    EXPECT_EQ(0u, again->count());
    EXPECT_EQ(0u, again->bucketCount());
    EXPECT_EQ(0, again->primeIndex());
    EXPECT_FALSE(again->ignoreCase());
    StrBuffer* key = keys.make(L"after");
    ASSERT_TRUE(again->put(again->hashOf(key), key, &value));
    again->releaseAll();
    EXPECT_EQ(200u, keyRule.destroyed.size()) << "the old rules are gone";
    again->releaseToPool();
}

// 100,000 puts (a fifth of them repeats) and lookups, checked against the standard map.
TEST(MapTable, AgreesWithStdUnorderedMapOver100000Entries) {
    Recorder keyRule(true);
    Pooled<MapTable> table;
    table->setKeyDisposal(&keyRule, &keyRule);
    std::unordered_map<std::wstring, uintptr_t> reference;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (uintptr_t i = 1; i <= 100000; ++i) {
        const std::wstring text = L"entry-" + std::to_wstring(next() % 80000);
        StrBuffer* key = s::str::strbuffer::newStrBuffer(text.c_str());
        ASSERT_NE(nullptr, key);
        const bool added = table->put(table->hashOf(key), key, reinterpret_cast<void*>(i));
        ASSERT_EQ(reference.emplace(text, i).second, added) << i;
        if (!added) key->releaseToPool();
    }
    EXPECT_EQ(reference.size(), table->count());
    EXPECT_EQ(222461u, table->bucketCount()) << "index 10 after ten rehashes";

    Keys probes;
    for (uint32_t n = 0; n < 80000; ++n) {
        const std::wstring text = L"entry-" + std::to_wstring(n);
        StrBuffer* probe = probes.make(text);
        MapTableNode* node = table->find(table->hashOf(probe), probe);
        auto it = reference.find(text);
        ASSERT_EQ(it != reference.end(), node != nullptr) << n;
        if (node) {
            ASSERT_EQ(it->second, reinterpret_cast<uintptr_t>(node->value())) << n;
        }
    }

    size_t walked = 0;
    for (uint32_t b = 0; b < table->bucketCount(); ++b)
        for (MapTableNode* node = table->head(b); node; node = node->next(), ++walked) {
            ASSERT_EQ(b, node->hash() % table->bucketCount());
            ASSERT_EQ(table->hashOf(node->key()), node->hash());
        }
    EXPECT_EQ(reference.size(), walked);
}

}  // namespace
