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
        EXPECT_EQ(thumbX(k.width, k.minimum, k.maximum, k.value), k.expected)
            << k.width << " " << k.minimum << ".." << k.maximum << " @" << k.value;
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
