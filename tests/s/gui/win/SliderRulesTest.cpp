// tests/s/gui/win/SliderRulesTest.cpp
//
// The slider's clamps, thumb place and drag value, with the empty range and track.
#include "s/gui/win/SliderRules.h"

#include <gmock/gmock.h>

namespace s::gui::win::sliderrules {
namespace {

TEST(SliderRules, ClampsKeepTheThumbsInsideAndApart) {
    struct Case {
        Limits limits;
        bool upper;
        int32_t value, expected;
    } cases[] = {
        {{0, 100, false, 0, 100}, false, 150, 100},
        {{0, 100, false, 0, 100}, false, -5, 0},
        {{0, 100, true, 0, 60}, false, 150, 59},   // range mode: below the upper thumb
        {{0, 100, true, 30, 80}, true, 10, 31},    // the upper thumb above the lower one
        {{0, 100, true, 30, 80}, true, 500, 100},
        {{50, 150, false, 50, 150}, false, 20, 50},
        {{5, 5, false, 5, 5}, false, 9, 5},        // an empty range holds one value
        {{0, 100, true, 100, 100}, true, 55, 100},  // the lower thumb at the maximum
        {{0, 100, true, 0, 0}, false, 40, 0},       // the upper thumb at the minimum
        {{5, 5, true, 5, 5}, true, 9, 5},           // range mode on an empty range
        {{5, 5, true, 5, 5}, false, 1, 5},
    };
    for (const Case& k : cases) {
        const int32_t got = k.upper ? clampUpper(k.limits, k.value) : clampPosition(k.limits, k.value);
        EXPECT_EQ(got, k.expected) << k.value << (k.upper ? " upper" : " lower");
    }
}

TEST(SliderRules, ThumbSitsByItsOffsetFromTheMinimumAndAtZeroWhenNothingCanBeShown) {
    struct Case {
        int32_t width, minimum, maximum, value, expected;
    } cases[] = {
        {110, 0, 100, 50, 50},
        {110, 0, 100, 100, 100},
        {110, 50, 150, 100, 50},   // a range that does not start at 0
        {110, 50, 150, 150, 100},
        {110, 7, 7, 7, 0},         // zero range
        {10, 0, 100, 50, 0},       // no room beside the thumb
        {0, 0, 100, 50, 0},        // zero-width control
        {110, 0, 100, 900, 100},   // out of range is shown at the end
    };
    for (const Case& k : cases)
        EXPECT_EQ(thumbX(k.width, kThumbWidth, k.minimum, k.maximum, k.value), k.expected)
            << k.width << " " << k.minimum << ".." << k.maximum << " @" << k.value;
}

// The thumb the drawer paints is 10 x scale wide: at scale 2 it leaves 20 pixels less room.
TEST(SliderRules, TheThumbsWidthIsTheRoomItTakesFromTheTrack) {
    EXPECT_EQ(50, thumbX(110, 10, 0, 100, 50));
    EXPECT_EQ(45, thumbX(110, 20, 0, 100, 50));
    EXPECT_EQ(90, thumbX(110, 20, 0, 100, 100));
    EXPECT_EQ(0, thumbX(20, 20, 0, 100, 100));  // no room beside a scaled thumb
}

TEST(SliderRules, ANewTrackTakesBothValuesAndKeepsThemApartInRangeMode) {
    struct Case {
        Limits limits;  // the new track with the values held so far
        int32_t position, upper;
        const char* why;
    } cases[] = {
        {{0, 20, false, 30, 60}, 20, 20, "without range mode both sit at the end"},
        {{0, 20, true, 30, 60}, 19, 20, "range mode: the lower gives way below the upper"},
        {{50, 150, true, 19, 20}, 50, 51, "both before the start: the upper gives way"},
        {{0, 100, true, 30, 60}, 30, 60, "inside and apart: nothing moves"},
        {{0, 100, true, 70, 60}, 59, 60, "a lower above the upper comes below it"},
        {{5, 5, true, 9, 9}, 5, 5, "an empty track holds one value for both"},
    };
    for (const Case& k : cases) {
        const Limits placed = onTrack(k.limits);
        EXPECT_EQ(k.position, placed.position) << k.why;
        EXPECT_EQ(k.upper, placed.upper) << k.why;
    }
}

TEST(SliderRules, DragValueRoundsAlongTheChannelAndRefusesAnEmptyOne) {
    struct Case {
        int32_t x, left, right, minimum, maximum;
        bool ok;
        int32_t expected;
    } cases[] = {
        {58, 8, 108, 0, 100, true, 50},
        {8, 8, 108, 0, 100, true, 0},
        {300, 8, 108, 0, 100, true, 100},
        {-40, 8, 108, 0, 100, true, 0},
        {58, 8, 108, 50, 150, true, 100},
        {9, 8, 11, 0, 10, true, 3},    // 10 / 3 = 3.33 rounds down
        {10, 8, 11, 0, 10, true, 7},   // 6.67 rounds up
        {58, 8, 8, 0, 100, false, -1},  // zero-length channel
        {58, 8, 108, 40, 40, false, -1},  // zero range
    };
    for (const Case& k : cases) {
        int32_t value = -1;
        EXPECT_EQ(valueAt(k.x, k.left, k.right, k.minimum, k.maximum, &value), k.ok) << k.x;
        EXPECT_EQ(value, k.expected) << k.x << " on " << k.left << ".." << k.right;
    }
}

}  // namespace
}  // namespace s::gui::win::sliderrules
