// tests/s/file/wiper/win/RandomTimesTest.cpp
#include <gtest/gtest.h>

#include "s/file/wiper/win/RandomTimes.h"

namespace {

using s::file::wiper::win::kFileTimeYear;
using s::file::wiper::win::randomFileTimes;

// Thousands of rounds stay inside the bounds, and both the "same as before" and the
// "drawn above" branches occur.
TEST(RandomTimes, StampsLieBetweenSixYearsAndOneYearAgo) {
    const uint64_t reference = 134000000000000000ull;  // late 2025
    int writeEqual = 0, accessEqual = 0;
    for (int i = 0; i < 5000; ++i) {
        s::file::wiper::win::FileTimes t = randomFileTimes(reference);
        ASSERT_GE(t.creation, reference - 6 * kFileTimeYear);
        ASSERT_LT(t.creation, reference - kFileTimeYear);
        ASSERT_GE(t.write, t.creation);
        ASSERT_GE(t.access, t.write);
        ASSERT_LE(t.access, reference - kFileTimeYear + 2000);
        writeEqual += t.write == t.creation;
        accessEqual += t.access == t.write;
    }
    EXPECT_GT(writeEqual, 1500);
    EXPECT_LT(writeEqual, 3500);
    EXPECT_GT(accessEqual, 1500);
    EXPECT_LT(accessEqual, 3500);
}

}  // namespace
