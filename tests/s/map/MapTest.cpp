// tests/s/map/MapTest.cpp
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Keys.h"
#include "s/map/Map.h"
#include "s/map/NodePool.h"
#include "support/Pooled.h"

namespace {

using s::map::Map;
using s::map::MapNode;
using s::str::strbuffer::StrBuffer;
using tests::Keys;
using tests::Pooled;
using tests::Recorder;

TEST(Map, NewMapIgnoresCaseAndOwnsNothing) {
    Keys keys;
    Pooled<Map> map(Map::newMap());
    ASSERT_NE(nullptr, map.get());
    EXPECT_STREQ(L"s_map_Map", map->classId());
    EXPECT_TRUE(map->ignoreCase());
    const wchar_t* texts[] = {L"Readme", L"TXT", L"txt", L"Doc", L"README", L"doc", L"pdf"};
    for (const wchar_t* text : texts) {
        StrBuffer* key = keys.make(text);
        map->put(map->hashOf(key), key);
    }
    EXPECT_EQ(4u, map->count());

    std::set<std::wstring> walked;
    for (uint32_t b = 0; b < map->bucketCount(); ++b)
        for (MapNode* node = map->head(b); node; node = node->next())
            walked.insert(tests::text(static_cast<StrBuffer*>(node->key())));
    EXPECT_EQ((std::set<std::wstring>{L"Readme", L"TXT", L"Doc", L"pdf"}), walked) << "the first spelling stays";

    StrBuffer* probe = keys.make(L"rEaDmE");
    MapNode* found = map->find(map->hashOf(probe), probe);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(L"Readme", tests::text(static_cast<StrBuffer*>(found->key())));
    map->releaseAll();  // owns nothing: Keys gives the strings back
}

TEST(Map, ReleaseAllDisposesKeysAndPoolsEntries) {
    s::thread::EasyPooler& entries = s::map::NodePool<MapNode>::pooler();
    ASSERT_EQ(10000, entries.capacity());
    Recorder onReset(true), onDestroy(true);
    Keys keys;
    Map map(&onReset, &onDestroy);
    for (int i = 0; i < 120; ++i) {
        StrBuffer* key = keys.make(L"m" + std::to_wstring(i));
        keys.handOver(key);
        ASSERT_TRUE(map.put(map.hashOf(key), key));
    }
    EXPECT_EQ(431u, map.bucketCount());
    const uint32_t kept = entries.keptCount();
    map.releaseAll();
    EXPECT_EQ(120u, onReset.destroyed.size());
    EXPECT_EQ(kept + 120 > 10000 ? 10000u : kept + 120, entries.keptCount());
    StrBuffer* last = keys.make(L"last");
    keys.handOver(last);
    map.put(map.hashOf(last), last);
    EXPECT_TRUE(onDestroy.destroyed.empty());
}

}  // namespace
