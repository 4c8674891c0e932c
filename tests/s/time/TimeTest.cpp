// tests/s/time/TimeTest.cpp
#include <gtest/gtest.h>

#include <ctime>

#include "s/time/Time.h"

namespace {

TEST(Time, FileTimeToMillisTruncatesTowardsZero) {
    struct Row {
        const char* why;
        uint64_t fileTime;
        int64_t millis;
    };
    const Row rows[] = {
        {"the epoch", 116444736000000000ULL, 0},
        {"1 ms after it", 116444736000010000ULL, 1},
        {"just under 1 ms after it", 116444736000009999ULL, 0},
        {"just under 1 ms before it truncates to 0, not -1", 116444735999990001ULL, 0},
        {"1 ms before it", 116444735999990000ULL, -1},
        {"1601-01-01, the first FILETIME", 0, -11644473600000LL},
        {"the largest FILETIME the system accepts", 0x7FFFFFFFFFFFFFFFULL, 910692730085477LL},
        {"the largest count converts without overflow", 0xFFFFFFFFFFFFFFFFULL, 1833029933770955LL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.millis, s::time::fileTimeToMillis(row.fileTime));
    }
}

TEST(Time, SecondsToFileTime) {
    struct Row {
        const char* why;
        int64_t seconds;
        uint64_t fileTime;
    };
    const Row rows[] = {
        {"the epoch", 0, 116444736000000000ULL},
        {"1 s after it", 1, 116444736010000000ULL},
        {"1 s before it", -1, 116444735990000000ULL},
        {"1601-01-01", -11644473600LL, 0},
        {"before 1601: the first FILETIME, not a wrapped count", -11644473601LL, 0},
        {"far past the last FILETIME: the last, not a wrapped count", INT64_MAX,
         0x7FFFFFFFFFFFFFFFULL},
        {"far before 1601", INT64_MIN, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.fileTime, s::time::secondsToFileTime(row.seconds));
    }
}

TEST(Time, SecondsAndMillisMeetAgain) {
    for (int64_t seconds : {0LL, 1LL, -1LL, 1700000000LL, -86400LL}) {
        SCOPED_TRACE(seconds);
        EXPECT_EQ(seconds * 1000, s::time::fileTimeToMillis(s::time::secondsToFileTime(seconds)));
    }
}

TEST(Time, CurrentTimeMillisIsTheSystemClock) {
    int64_t before = static_cast<int64_t>(::time(nullptr)) * 1000;
    int64_t now = s::time::currentTimeMillis();
    int64_t after = static_cast<int64_t>(::time(nullptr)) * 1000;
    EXPECT_GE(now, before - 3000);
    EXPECT_LE(now, after + 3000);
}

}  // namespace
