// tests/s/col/_array/GrowthTest.cpp
#include <gtest/gtest.h>

#include <cstdint>

#include "s/col/_array/ArrayU08.h"
#include "s/col/_array/Growth.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::capacityFor;
using s::col::_array::nextCapacity;

TEST(Growth, StepsAtTheBoundaries) {
    struct Row {
        const char* why;
        uint32_t from, next;
    } const rows[] = {
        {"an empty block starts at 100", 0, 100},
        {"below 100 jumps to 100", 99, 100},
        {"100 triples", 100, 300},
        {"triples up to 9,999,999", 9999999, 29999997},
        {"10,000,000 doubles", 10000000, 20000000},
        {"doubles up to 49,999,999", 49999999, 99999998},
        {"50,000,000 grows by half", 50000000, 75000000},
        {"by half, truncated, up to 99,999,999", 99999999, 149999998},
        {"100,000,000 grows by a fifth", 100000000, 120000000},
        {"saturates instead of wrapping", 4000000000u, 0xFFFFFFFFu},
        {"the largest value stays", 0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.next, nextCapacity(r.from));
    }
}

TEST(Growth, ReserveTakesStepsUntilTheWantedSizeFits) {
    struct Row {
        const char* why;
        uint32_t capacity, wanted, result;
    } const rows[] = {
        {"one element from nothing", 0, 1, 100},
        {"the 101st element", 100, 101, 300},
        {"the 301st element from nothing", 0, 301, 900},
        {"already large enough", 300, 300, 300},
        {"beyond the last step takes what is wanted", 0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.result, capacityFor(r.capacity, r.wanted));
    }
}

// Arrays and strings grow by the same rule, one step at a time for single appends.
TEST(Growth, ArraysAndStringsFollowTheRule) {
    tests::Pooled<s::col::_array::ArrayU08> bytes;
    tests::Pooled<s::str::strbuffer::StrBuffer> string;
    const uint32_t expected[] = {100, 300, 900};
    uint32_t next = 0;
    for (uint32_t n = 1; n <= 901; ++n) {
        ASSERT_TRUE(bytes->add(static_cast<uint8_t>(n)));
        ASSERT_TRUE(string->appendChar(L'x'));
        if (n == 1 || n == 101 || n == 301) {
            EXPECT_EQ(expected[next], bytes->capacity()) << n;
            EXPECT_EQ(expected[next], string->capacity()) << n;
            ++next;
        }
    }
    EXPECT_EQ(2700u, bytes->capacity());
    tests::Pooled<s::col::_array::ArrayU08> exact;
    ASSERT_TRUE(exact->setCount(5));
    EXPECT_EQ(5u, exact->count());
    EXPECT_EQ(5u, exact->capacity());
}

}  // namespace
