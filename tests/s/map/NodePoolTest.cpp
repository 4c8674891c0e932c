// tests/s/map/NodePoolTest.cpp
#include <gtest/gtest.h>

#include <cstring>

#include "s/map/MapTableNode.h"
#include "s/map/NodePool.h"

namespace {

using s::map::MapTableNode;
using s::map::NodePool;

bool isZero(const void* block, size_t n) {
    const unsigned char* bytes = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < n; ++i)
        if (bytes[i]) return false;
    return true;
}

// A node that comes back from the pool is zeroed, whatever it held.
TEST(NodePool, NodesAreZeroedRawBlocks) {
    EXPECT_EQ(16u, sizeof(MapTableNode)) << "four 32-bit words";
    MapTableNode* node = NodePool<MapTableNode>::obtain();
    ASSERT_NE(nullptr, node);
    EXPECT_TRUE(isZero(node, sizeof *node));
    std::memset(static_cast<void*>(node), 0xA5, sizeof *node);
    NodePool<MapTableNode>::release(node);
    MapTableNode* again = NodePool<MapTableNode>::obtain();
    EXPECT_EQ(node, again) << "the last released node comes first";
    EXPECT_TRUE(isZero(again, sizeof *again));
    NodePool<MapTableNode>::free(again);
}

}  // namespace
