// tests/s/gui/GeometryTest.cpp
#include "s/gui/Geometry.h"

#include <gmock/gmock.h>

namespace s::gui {
namespace {

TEST(Geometry, MinimumSizeTakesCollapsedThenFixedThenMinimumPlusMargins) {
    struct Case {
        bool collapsed;
        int32_t fixed, minimum, margins, expected;
    } cases[] = {
        {true, 40, 10, 6, 0},     // collapsed wins over everything
        {false, 40, 10, 6, 40},   // a fixed size ignores the margins
        {false, 0, 10, 6, 0},     // a fixed size of 0 is still fixed
        {false, -1, 10, 6, 16},
        {false, -1, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(minimumSize(c.collapsed, c.fixed, c.minimum, c.margins), c.expected)
            << c.collapsed << " " << c.fixed << " " << c.minimum << " " << c.margins;
}

TEST(Geometry, TargetSizeTakesFixedThenPercentOfParentThenLargerOfMinimumAndTarget) {
    struct Case {
        int32_t fixed, percent, parentInner, minimum, target, margins, expected;
    } cases[] = {
        {50, 30, 200, 10, 90, 4, 50},
        {-1, 30, 200, 10, 90, 4, 60},
        {-1, 33, 100, 10, 90, 4, 33},   // integer division: 3300 / 100
        {-1, 33, 10, 0, 0, 0, 3},       // 330 / 100 truncated
        {-1, 30, -1, 10, 90, 4, 94},    // no parent: the percentage is not used
        {-1, -1, 200, 10, 90, 4, 94},
        {-1, -1, 200, 120, 90, 4, 124}, // the minimum is larger than the target
    };
    for (const Case& c : cases)
        EXPECT_EQ(targetSize(c.fixed, c.percent, c.parentInner, c.minimum, c.target, c.margins),
                  c.expected)
            << c.fixed << " " << c.percent << " " << c.parentInner;
}

TEST(Geometry, WithinLimitsHoldsTheValueBetweenMinimumAndTarget) {
    struct Case {
        int32_t value, minimum, target, expected;
    } cases[] = {
        {0, 16, 94, 16},    // setSizeWithinLimits(0, 0) gives the minimum
        {500, 16, 94, 94},  // above the target gives the target
        {50, 16, 94, 50},
        {50, 60, 40, 60},   // crossed limits: the minimum wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(withinLimits(c.value, c.minimum, c.target), c.expected) << c.value;
}

TEST(Geometry, CentredOffsetIsHalfTheSpareRoomOnlyWhenSmaller) {
    EXPECT_EQ(centredOffset(100, 40), 30);
    EXPECT_EQ(centredOffset(101, 40), 30);  // 61 >> 1
    EXPECT_EQ(centredOffset(100, 100), 0);
    EXPECT_EQ(centredOffset(100, 140), 0);
}

TEST(Geometry, ContainsIsInclusiveOnAllFourSides) {
    struct Case {
        int32_t x, y;
        bool inside;
    } cases[] = {
        {10, 20, true}, {40, 20, true}, {10, 70, true}, {40, 70, true}, {25, 45, true},
        {9, 20, false}, {41, 20, false}, {10, 19, false}, {10, 71, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(containsInclusive(10, 20, 30, 50, c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(Geometry, LightChannelIsHalfWayToWhite) {
    EXPECT_EQ(lightChannel(0), 128);
    EXPECT_EQ(lightChannel(255), 255);
    EXPECT_EQ(lightChannel(100), 178);  // 255 - 155 / 2
}

TEST(Geometry, OnScreenNeedsTenPixelsOnEachAxis) {
    const Rect screen = {0, 0, 1280, 1024};
    struct Case {
        Rect window;
        bool onScreen;
    } cases[] = {
        {{100, 100, 300, 200}, true},
        {{1270, 100, 300, 200}, true},    // exactly 10 pixels inside on the right
        {{1271, 100, 300, 200}, false},   // 9
        {{-290, 100, 300, 200}, true},    // 10 on the left
        {{-291, 100, 300, 200}, false},
        {{100, 1014, 300, 200}, true},
        {{100, 1015, 300, 200}, false},
        {{100, 100, 10, 200}, false},     // too narrow to count
        {{100, 100, 300, 10}, false},
        {{5000, 5000, 300, 200}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isOnScreen(c.window, screen), c.onScreen)
            << c.window.left << "," << c.window.top << " " << c.window.width << "x" << c.window.height;
}

TEST(Geometry, MovedOntoScreenComesBackPastRightAndBottomThenClampsToOrigin) {
    const Rect screen = {0, 0, 1280, 1024};
    struct Case {
        Rect window;
        int32_t left, top;
    } cases[] = {
        {{1200, 1000, 300, 200}, 980, 824},
        {{-50, -20, 300, 200}, 0, 0},
        {{100, 100, 300, 200}, 100, 100},
        {{100, 100, 2000, 200}, 0, 100},   // wider than the screen: the origin wins
    };
    for (const Case& c : cases) {
        Rect moved = movedOntoScreen(c.window, screen);
        EXPECT_EQ(moved.left, c.left);
        EXPECT_EQ(moved.top, c.top);
        EXPECT_EQ(moved.width, c.window.width);
    }
}

TEST(Geometry, CentredInWorkAreaNeverAboveOrLeftOfItsOrigin) {
    const Rect work = {0, 30, 1280, 994};
    Rect centred = centredInWorkArea({7, 7, 240, 120}, work);
    EXPECT_EQ(centred.left, 520);
    EXPECT_EQ(centred.top, 30 + 437);
    Rect large = centredInWorkArea({7, 7, 2000, 2000}, work);
    EXPECT_EQ(large.left, 0);
    EXPECT_EQ(large.top, 30);
}

}  // namespace
}  // namespace s::gui
