// tests/s/time/TimeZoneTest.cpp
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "s/time/TimeZone.h"
#include "support/Pooled.h"

namespace {

using s::str::strbuffer::StrBuffer;
using s::time::TimeZone;

bool isZero(const TIME_ZONE_INFORMATION& information) {
    TIME_ZONE_INFORMATION zero;
    std::memset(&zero, 0, sizeof zero);
    return std::memcmp(&zero, &information, sizeof zero) == 0;
}

// The pool's reset leaves a used record as a fresh one, keeping its three name strings.
TEST(TimeZone, ResetClearsEverythingAndPoolingReusesTheRecord) {
    TimeZone* zone = s::thread::Pool<TimeZone>::obtain();
    ASSERT_NE(nullptr, zone);
    EXPECT_STREQ(L"s_time_TimeZone", zone->classId());
    EXPECT_EQ(0u, zone->value32());
    EXPECT_EQ(0u, zone->value16());
    EXPECT_TRUE(isZero(zone->information()));
    StrBuffer* names[TimeZone::kNameCount];
    for (int i = 0; i < TimeZone::kNameCount; ++i) {
        names[i] = zone->name(i);
        ASSERT_NE(nullptr, names[i]) << i;
        EXPECT_EQ(0u, names[i]->length());
        names[i]->setText(L"Central European Standard Time");
    }
    EXPECT_EQ(nullptr, zone->name(TimeZone::kNameCount));
    zone->setValue32(0xDEADBEEF);
    zone->setValue16(0xBEEF);
    zone->information().Bias = -60;
    zone->information().DaylightDate.wMonth = 3;
    std::wcscpy(zone->information().StandardName, L"CET");

    zone->releaseToPool();
    TimeZone* again = static_cast<TimeZone*>(zone->newInstance());
    ASSERT_EQ(zone, again) << "the pool hands the released record out again";
    EXPECT_EQ(0u, again->value32());
    EXPECT_EQ(0u, again->value16());
    EXPECT_TRUE(isZero(again->information()));
    for (int i = 0; i < TimeZone::kNameCount; ++i) {
        EXPECT_EQ(names[i], again->name(i)) << "the same string, kept";
        EXPECT_EQ(0u, again->name(i)->length());
        EXPECT_EQ(0u, again->name(i)->capacity()) << "its block freed";
    }
    again->releaseToPool();
}

TEST(TimeZone, SharedRecordIsOneObjectForEveryThread) {
    std::vector<TimeZone*> seen(6, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&seen, i] { seen[i] = &s::time::sharedTimeZone(); });
    for (std::thread& thread : threads) thread.join();
    for (TimeZone* zone : seen) EXPECT_EQ(&s::time::sharedTimeZone(), zone);
    EXPECT_TRUE(isZero(s::time::sharedTimeZone().information())) << "nothing fills it";
}

}  // namespace
