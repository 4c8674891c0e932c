// tests/s/gui/win/ImageRulesTest.cpp
//
// The picture control's fitting, preferred sizes and frame delays, zero sizes included.
#include "s/gui/win/ImageRules.h"

#include <gmock/gmock.h>

namespace s::gui::win::imagerules {
namespace {

TEST(ImageRules, FitKeepsThePicturesProportionsAndLeavesZeroSizesAlone) {
    struct Case {
        int32_t pictureWidth, pictureHeight, width, height;
        bool fitted;
        int32_t expectedWidth, expectedHeight;
    } cases[] = {
        {200, 100, 100, 100, true, 100, 50},   // wider picture: the height shrinks
        {100, 200, 100, 100, true, 50, 100},   // taller picture: the width shrinks
        {30, 20, 100, 100, true, 100, 67},     // 66.67 rounds up
        {20, 30, 100, 100, true, 67, 100},
        {50, 50, 80, 40, true, 40, 40},
        {0, 100, 80, 40, false, 80, 40},       // zero-width picture
        {100, 0, 80, 40, false, 80, 40},       // zero-height picture
        {100, 50, 0, 40, false, 0, 40},        // zero request
        {100, 50, 80, 0, false, 80, 0},
        {100, 50, -5, 40, false, -5, 40},
    };
    for (const Case& k : cases) {
        int32_t w = k.width, h = k.height;
        EXPECT_EQ(fitSize(k.pictureWidth, k.pictureHeight, &w, &h), k.fitted)
            << k.pictureWidth << "x" << k.pictureHeight;
        EXPECT_EQ(w, k.expectedWidth) << k.pictureWidth << "x" << k.pictureHeight << " in " << k.width;
        EXPECT_EQ(h, k.expectedHeight) << k.pictureWidth << "x" << k.pictureHeight << " in " << k.height;
    }
}

TEST(ImageRules, PreferredLengthFollowsFixedPercentAspectThenNatural) {
    struct Case {
        SizeRules rules;
        int32_t expected;
    } cases[] = {
        {{120, -1, 40, false, false, 0, 1.0, false}, 120},
        {{120, -1, 40, false, false, 0, 1.0, true}, 118},  // the frame comes off
        {{1, -1, 40, false, false, 0, 1.0, true}, 0},      // never below 0
        {{-1, 50, 40, true, true, 30, 2.0, false}, 0},     // the layout applies the percent
        {{-1, -1, 40, true, true, 30, 1.5, false}, 45},    // kept proportions
        {{-1, -1, 40, true, true, 30, 0.0, false}, 0},     // no picture ratio
        {{-1, -1, 40, false, true, 30, 1.5, false}, 40},   // one switch is not enough
        {{-1, -1, 40, true, false, 30, 1.5, false}, 40},
        {{-1, -1, 40, false, false, 0, 1.0, true}, 42},    // natural plus the frame
        {{-1, -1, 0, false, false, 0, 1.0, false}, 0},     // fitted: no natural size
    };
    for (const Case& k : cases) EXPECT_EQ(preferredLength(k.rules), k.expected) << k.expected;
}

TEST(ImageRules, APercentTargetLosesTheFrameAndKeepsWithinTheProportions) {
    struct Case {
        PercentRules rules;
        int32_t expected;
    } cases[] = {
        {{300, 50, false, false, 200, -1, 2.0}, 150},
        {{300, 50, true, false, 200, -1, 2.0}, 148},    // the frame comes off
        {{300, 50, false, true, 200, 25, 2.0}, 100},    // 2 x 50: the proportions win
        {{300, 50, false, true, 200, 100, 2.0}, 150},   // 2 x 200 is more room than 150
        {{300, 50, true, true, 200, 25, 2.0}, 96},      // 2 x (50 - 2)
        {{0, 50, false, false, 200, -1, 2.0}, 0},       // a parent without room
        {{300, 0, false, false, 200, -1, 2.0}, 0},      // a zero percent
        {{1, 50, true, false, 200, -1, 2.0}, 0},        // never below 0
        {{300, 50, false, true, 0, 25, 2.0}, 0},        // no room on the other side
        {{300, 50, false, true, 200, 25, 0.0}, 0},      // no picture: no proportions
    };
    for (const Case& k : cases) EXPECT_EQ(percentTarget(k.rules), k.expected) << k.expected;
}

TEST(ImageRules, ALateStepShortensTheNextDelayButNeverBelowZero) {
    struct Case {
        int32_t delay;
        int64_t late;
        int32_t expected;
    } cases[] = {{100, 0, 100}, {100, 30, 70}, {100, 100, 0}, {100, 450, 0}, {0, 5, 0}, {80, -3, 80}};
    for (const Case& k : cases) EXPECT_EQ(nextDelay(k.delay, k.late), k.expected) << k.late;
}

}  // namespace
}  // namespace s::gui::win::imagerules
