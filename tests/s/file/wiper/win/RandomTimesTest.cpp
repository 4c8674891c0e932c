// tests/s/file/wiper/win/RandomTimesTest.cpp
#include <gtest/gtest.h>

#include "s/file/wiper/win/RandomTimes.h"

namespace {

// One year of 365 days in FILETIME units (100 ns): 10,000,000 x 31,536,000 seconds.
constexpr uint64_t kYear = 315360000000000ull;

using s::file::wiper::win::randomFileTimes;

// Thousands of rounds stay inside the bounds, and both the "same as before" and the
// "drawn above" branches occur.
TEST(RandomTimes, StampsLieBetweenSixYearsAndOneYearAgo) {
    const uint64_t reference = 134000000000000000ull;  // late 2025
    int writeEqual = 0, accessEqual = 0;
    for (int i = 0; i < 5000; ++i) {
        s::file::wiper::win::FileTimes t = randomFileTimes(reference);
        ASSERT_GE(t.creation, reference - 6 * kYear);
        ASSERT_LT(t.creation, reference - kYear);
        ASSERT_GE(t.write, t.creation);
        ASSERT_GE(t.access, t.write);
        ASSERT_LE(t.write, reference - kYear + 1000);  // the floor of 1000 units may go beyond
        ASSERT_LE(t.access, reference - kYear + 2000);
        writeEqual += t.write == t.creation;
        accessEqual += t.access == t.write;
    }
    EXPECT_GT(writeEqual, 1500);
    EXPECT_LT(writeEqual, 3500);
    EXPECT_GT(accessEqual, 1500);
    EXPECT_LT(accessEqual, 3500);
}

}  // namespace
