// tests/s/col/_array/MergeSortTest.cpp
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/MergeSort.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayP;

struct Item {
    int key;
    int order;  // the input position, to see that equal keys keep it
};

int g_calls = 0;

int byKey(const void* a, const void* b, void* userData) {
    ++g_calls;
    EXPECT_EQ(reinterpret_cast<void*>(0x5EED), userData);
    return static_cast<const Item*>(a)->key - static_cast<const Item*>(b)->key;
}

// Against std::stable_sort, on random keys with many equal ones, both directions.
TEST(MergeSort, StableInBothDirections) {
    std::mt19937 random(42);
    for (uint32_t length : {0u, 1u, 2u, 6u, 7u, 8u, 13u, 1000u, 1025u}) {
        for (bool descending : {false, true}) {
            SCOPED_TRACE(testing::Message() << length << (descending ? " descending" : " ascending"));
            std::vector<Item> items(length);
            for (uint32_t i = 0; i < length; ++i) items[i] = {static_cast<int>(random() % 7), static_cast<int>(i)};
            tests::Pooled<ArrayP> list;
            std::vector<const Item*> expected;
            for (const Item& item : items) {
                list->add(const_cast<Item*>(&item));
                expected.push_back(&item);
            }
            std::stable_sort(expected.begin(), expected.end(), [&](const Item* a, const Item* b) {
                return descending ? a->key > b->key : a->key < b->key;
            });
            ASSERT_TRUE(s::col::_array::sortStable(*list, byKey, reinterpret_cast<void*>(0x5EED), descending));
            for (uint32_t i = 0; i < length; ++i) ASSERT_EQ(expected[i], list->get(i)) << "at " << i;
        }
    }
}

// Up to six elements are insertion-sorted; seven take the merge path, whose halves are
// sorted first and then joined with one comparison when already in order.
TEST(MergeSort, SixInsertSevenMerge) {
    std::vector<Item> items(7);
    std::vector<void*> block, scratch;
    for (int i = 0; i < 7; ++i) {
        items[i] = {i, i};
        block.push_back(&items[i]);
    }
    scratch = block;
    g_calls = 0;
    s::col::_array::mergeSortAscending(scratch.data(), block.data(), 0, 6, 0, byKey, reinterpret_cast<void*>(0x5EED));
    EXPECT_EQ(5, g_calls) << "insertion over 6 sorted elements";
    g_calls = 0;
    s::col::_array::mergeSortAscending(scratch.data(), block.data(), 0, 7, 0, byKey, reinterpret_cast<void*>(0x5EED));
    EXPECT_EQ(2 + 3 + 1, g_calls) << "insertion of 3 and 4, then the in-order test";
    // A sub-range only: the elements around it stay where they are.
    std::reverse(block.begin(), block.end());
    scratch = block;
    s::col::_array::mergeSortDescending(scratch.data(), block.data(), 2, 7, 0, byKey, reinterpret_cast<void*>(0x5EED));
    s::col::_array::mergeSortAscending(scratch.data(), block.data(), 2, 7, 0, byKey, reinterpret_cast<void*>(0x5EED));
    EXPECT_EQ(&items[6], block[0]);
    EXPECT_EQ(&items[5], block[1]);
    for (int i = 2; i < 7; ++i) EXPECT_EQ(&items[i - 2], block[i]);
}

}  // namespace
