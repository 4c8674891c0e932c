// tests/s/gui/drawer/MenuDrawerTest.cpp
//
// The menu bar drawer: entry rectangles and sizes from caption sizes, how each entry looks
// by hover, press and the last-entry options, and the painted bar in pixels.
#include <gmock/gmock.h>

#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/win/Font.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"

namespace {

namespace m = s::gui::drawer::menu::win;
using tests::Pooled;
using tests::gui::Canvas;

TEST(MenuDrawerTest, EntriesSitSideBySideWithTheSpacingOnEitherSide) {
    const int32_t widths[] = {30, 40};
    const int32_t heights[] = {12, 14};
    const int32_t fulls[] = {33, 41};
    RECT rects[2];
    const m::MenuMeasure got = m::placeEntries(widths, heights, fulls, 2, 6, 3, false, rects);
    EXPECT_EQ(0, rects[0].left);
    EXPECT_EQ(42, rects[0].right);
    EXPECT_EQ(42, rects[1].left);
    EXPECT_EQ(94, rects[1].right);
    EXPECT_EQ(94, got.minWidth);
    EXPECT_EQ(12 + 33 + 12 + 41, got.targetWidth);
    // Every entry is as tall as the tallest caption with its spacing.
    EXPECT_EQ(20, got.minHeight);
    EXPECT_EQ(20, rects[0].bottom);
    EXPECT_EQ(20, rects[1].bottom);
}

TEST(MenuDrawerTest, TheCollapsedBarNeedsRoomForItsArrow) {
    const int32_t widths[] = {30, 40};
    const int32_t heights[] = {12, 14};
    RECT rects[2];
    const m::MenuMeasure open = m::placeEntries(widths, heights, widths, 2, 6, 3, false, rects);
    const m::MenuMeasure collapsed = m::placeEntries(widths, heights, widths, 2, 6, 3, true, rects);
    EXPECT_EQ(open.minWidth + 15, collapsed.minWidth);
    EXPECT_EQ(open.targetWidth + 15, collapsed.targetWidth);
    EXPECT_EQ(open.minHeight + 4, collapsed.minHeight);
    EXPECT_EQ(open.targetHeight + 4, collapsed.targetHeight);
}

TEST(MenuDrawerTest, NoEntriesNeedNothing) {
    RECT none[1];
    const m::MenuMeasure got = m::placeEntries(nullptr, nullptr, nullptr, 0, 6, 3, false, none);
    EXPECT_EQ(0, got.minWidth);
    EXPECT_EQ(0, got.minHeight);
}

TEST(MenuDrawerTest, EachEntryLooksAsItsStateAsks) {
    Pooled<m::Basic> drawer;
    const RECT rects[] = {{0, 0, 40, 20}, {40, 0, 80, 20}, {80, 0, 120, 20}};
    struct Case {
        const char* name;
        int32_t index;
        m::MenuState state;
        bool shift;
        m::EntryLook want;
    };
    const Case cases[] = {
        {"plain", 0, {-1, false, false, false, false}, false, {0, 0, false, false, false}},
        {"hovered is filled and highlighted", 1, {1, false, false, false, false}, false, {0, 0, true, true, false}},
        {"the hovered last entry is neither filled nor highlighted", 2, {2, false, false, false, false}, false,
         {0, 0, false, false, false}},
        {"pressed shifts right", 0, {0, true, false, false, false}, true, {0, 1, true, true, false}},
        {"unpressed shifts left", 0, {0, false, false, false, false}, true, {0, -1, true, true, false}},
        {"the last ends at the right edge", 2, {-1, false, false, true, false}, false, {200 - 120, 0, false, false, false}},
        {"only the last is moved", 1, {-1, false, false, true, true}, false, {0, 0, false, false, false}},
        {"the last as a link", 2, {-1, false, false, false, true}, false, {0, 0, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drawer->setPressedShift(c.shift);
        const m::EntryLook got = drawer->lookOf(c.index, 3, rects, 200, c.state);
        EXPECT_EQ(c.want.dx, got.dx);
        EXPECT_EQ(c.want.captionDx, got.captionDx);
        EXPECT_EQ(c.want.highlighted, got.highlighted);
        EXPECT_EQ(c.want.filled, got.filled);
        EXPECT_EQ(c.want.link, got.link);
    }
}

TEST(MenuDrawerTest, WithoutAHoverFillTheHoveredEntryTakesTheHighlightFont) {
    Pooled<m::Basic> drawer;
    drawer->setHoverFill(false);
    const RECT rects[] = {{0, 0, 40, 20}, {40, 0, 80, 20}};
    for (int32_t index : {0, 1}) {
        const m::EntryLook got = drawer->lookOf(index, 2, rects, 200, {index, false, false, false, false});
        EXPECT_TRUE(got.highlighted) << index;
        EXPECT_FALSE(got.filled) << index;
    }
}

// The default look: a white highlight font on the system's highlight fill. The last title,
// hovered or open, gets no fill and must still be seen.
TEST(MenuDrawerTest, TheHoveredLastTitleStaysReadable) {
    Canvas canvas(300, 30);
    ASSERT_TRUE(canvas.ok());
    Pooled<m::Basic> drawer;
    s::gui::win::Font* normal = drawer->getNormalFont()->makeFont();
    s::gui::win::Font* highlight = drawer->getHighlightFont()->makeFont();
    ASSERT_NE(nullptr, normal);
    ASSERT_NE(nullptr, highlight);
    const wchar_t* captions[] = {L"View", L"Language", L"About"};
    RECT rects[3];
    const m::MenuMeasure size = drawer->measure(canvas.dc(), captions, rects, 3, normal, 6, 3, false);
    m::MenuState state;
    state.hovered = 2;
    state.pressed = true;
    drawer->drawEntries(canvas.dc(), 0, 0, 300, size.minHeight, captions, rects, 3, normal, highlight, 6, 3, state);
    int32_t ink = 0;
    for (int32_t x = rects[2].left; x < rects[2].right; ++x)
        for (int32_t y = 0; y < size.minHeight; ++y) ink += canvas.at(x, y) != tests::gui::kWhite ? 1 : 0;
    EXPECT_GT(ink, 10) << "the title vanished into the bar";
    normal->releaseToPool();
    highlight->releaseToPool();
}

TEST(MenuDrawerTest, TheCollapsedFaceFollowsHoverAndPress) {
    EXPECT_EQ(0, m::Basic::collapsedState({-1, false, true, false, false}));
    EXPECT_EQ(0, m::Basic::collapsedState({1, true, true, false, false}));
    EXPECT_EQ(1, m::Basic::collapsedState({0, false, true, false, false}));
    EXPECT_EQ(2, m::Basic::collapsedState({0, true, true, false, false}));
}

// A bar painted into a picture: the hovered entry's fill, the other captions' ink, and the
// link drawn in its blue while the normal font keeps its own colour.
TEST(MenuDrawerTest, ABarIsPaintedWithItsHoverFillAndLink) {
    Canvas canvas(300, 30);
    ASSERT_TRUE(canvas.ok());
    Pooled<m::Basic> drawer;
    drawer->setHoverColour(10, 120, 200);
    s::gui::win::Font* normal = drawer->getNormalFont()->makeFont();
    s::gui::win::Font* highlight = drawer->getHighlightFont()->makeFont();
    ASSERT_NE(nullptr, normal);
    ASSERT_NE(nullptr, highlight);
    const wchar_t* captions[] = {L"View", L"Language", L"About"};
    RECT rects[3];
    const m::MenuMeasure size = drawer->measure(canvas.dc(), captions, rects, 3, normal, 6, 3, false);
    EXPECT_GT(size.minWidth, 3 * 12);
    EXPECT_GT(size.minHeight, 6);
    const uint32_t colour = normal->getTextColour();
    m::MenuState state;
    state.hovered = 1;
    state.lastRightAligned = true;
    state.lastAsLink = true;
    drawer->drawEntries(canvas.dc(), 0, 0, 300, size.minHeight, captions, rects, 3, normal, highlight, 6, 3, state);
    EXPECT_EQ(RGB(10, 120, 200), canvas.at(rects[1].left + 1, 1));
    EXPECT_EQ(tests::gui::kWhite, canvas.at(rects[0].left + 1, 1));
    EXPECT_EQ(colour, normal->getTextColour());
    bool blue = false;
    for (int32_t x = 300 - (rects[2].right - rects[2].left); x < 300 && !blue; ++x) {
        for (int32_t y = 0; y < size.minHeight && !blue; ++y) blue = canvas.at(x, y) == RGB(0, 0, 204);
    }
    EXPECT_TRUE(blue);
    normal->releaseToPool();
    highlight->releaseToPool();
}

}  // namespace
