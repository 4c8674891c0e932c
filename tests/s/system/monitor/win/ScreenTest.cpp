// tests/s/system/monitor/win/ScreenTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include "s/system/monitor/win/Screen.h"

namespace {

using namespace s::system::monitor::win;

TEST(ScreenTest, ScaleFactorBySize) {
    struct Row {
        int32_t width, height;
        bool is4K, is8K;
        int32_t scale;
        const char* why;
    } rows[] = {
        {1920, 1200, false, false, 1, "full HD and a little more"},
        {1921, 1620, true, false, 2, "the smallest 4K screen"},
        {1920, 2160, false, false, 1, "tall but one pixel too narrow"},
        {3840, 1619, false, false, 1, "wide but one line too low"},
        {3840, 2160, true, false, 2, "UHD"},
        {4097, 3240, true, true, 4, "the smallest 8K screen"},
        {4096, 4000, true, false, 2, "one pixel too narrow for 8K"},
        {7680, 4320, true, true, 4, "8K UHD"},
        {0, 0, false, false, 1, "no answer from the system"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.is4K, isScreen4KSize(row.width, row.height));
        EXPECT_EQ(row.is8K, isScreen8KSize(row.width, row.height));
        EXPECT_EQ(row.scale, scaleFactorFor(row.width, row.height));
    }
}

TEST(ScreenTest, TheProcessScaleFollowsThePrimaryScreen) {
    const int32_t width = GetSystemMetrics(SM_CXSCREEN);
    const int32_t height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(scaleFactorFor(width, height), uiScaleFactor());
    EXPECT_EQ(isScreen4KSize(width, height), isScreen4K());
    EXPECT_EQ(isScreen8KSize(width, height), isScreen8K());
    EXPECT_EQ(1, static_cast<int>(uiScaleFactor())) << "the test session's screen is 1280 x 1024";
}

}  // namespace
