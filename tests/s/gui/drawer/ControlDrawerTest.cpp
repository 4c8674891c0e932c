// tests/s/gui/drawer/ControlDrawerTest.cpp
//
// The rules of the control drawers: scroll-bar geometry and hit tests, counter heights,
// list hit bands, text layout flags and measuring, and the slider's colour ramps.
#include <gmock/gmock.h>

#include "s/gui/drawer/counter/ValueHistory.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/gui/drawer/listbox/ListItem.h"
#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/gui/drawer/scrollbar/ScrollBarState.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/slider/ColourRamps.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/FontSetting.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"

namespace {

namespace d = s::gui::drawer;
using d::scrollbar::ScrollBarGeometry;
using d::scrollbar::ScrollBarState;
using tests::Pooled;
using tests::gui::Canvas;
using tests::gui::hex;
using tests::gui::ScaleScope;

ScrollBarState bar(int32_t range, int32_t page, int32_t position, bool other = false) {
    ScrollBarState s;
    s.range = range;
    s.page = page;
    s.position = position;
    s.otherBarShown = other;
    return s;
}

int32_t lengthOf(const RECT& r) { return r.bottom - r.top; }

TEST(ControlDrawerTest, ScrollBarThumbsByPageAndPosition) {
    // A vertical bar 15 wide and 215 long: arrows of 15, a track of 185.
    struct Case {
        int32_t range, page, position;
        bool thumb;
        int32_t length, start;
    } cases[] = {
        {100, 100, 0, false, 0, 0},    // the page covers the range: arrows only
        {100, 150, 0, false, 0, 0},
        {100, 50, 0, true, 93, 15},    // round(50 x 185 / 100)
        {100, 50, 50, true, 93, 107},  // at the end of the track
        {100, 50, 99, true, 93, 107},  // positions beyond range - page are held at the end
        {100000, 1, 0, true, 11, 15},  // a tiny page gets the minimum thumb
        {100, 20, 40, true, 37, 89},   // round(40 x 148 / 80) = 74 from the track's start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.range << "/" << c.page << "/" << c.position);
        const ScrollBarGeometry g = d::scrollbar::scrollBarGeometry(0, 0, 15, 215, bar(c.range, c.page, c.position), 15);
        EXPECT_EQ(c.thumb, g.hasThumb);
        EXPECT_EQ(15, lengthOf(g.parts[ScrollBarGeometry::kFirstArrow]));
        EXPECT_EQ(200, g.parts[ScrollBarGeometry::kLastArrow].top);
        EXPECT_EQ(185, g.track);
        if (!c.thumb) continue;
        EXPECT_EQ(c.length, lengthOf(g.parts[ScrollBarGeometry::kThumb]));
        EXPECT_EQ(c.start, g.parts[ScrollBarGeometry::kThumb].top);
    }
}

TEST(ControlDrawerTest, TheMinimumThumbIsNeverLongerThanItsTrack) {
    for (int32_t length : {30, 35, 36, 40, 41}) {
        SCOPED_TRACE(length);
        const ScrollBarGeometry g = d::scrollbar::scrollBarGeometry(0, 0, 15, length, bar(1000, 1, 500), 15);
        ASSERT_TRUE(g.track <= 0 || g.hasThumb);
        if (!g.hasThumb) continue;
        EXPECT_LE(g.thumb, g.track);
        EXPECT_GE(lengthOf(g.parts[ScrollBarGeometry::kPageBefore]), 0);
        EXPECT_GE(lengthOf(g.parts[ScrollBarGeometry::kPageAfter]), 0);
        EXPECT_LE(g.parts[ScrollBarGeometry::kThumb].bottom, g.parts[ScrollBarGeometry::kLastArrow].top);
    }
}

TEST(ControlDrawerTest, ScrollBarHitTestsAndDrags) {
    Pooled<d::scrollbar::win::Thin> drawer;
    drawer->setThickness(15);
    const ScrollBarState s = bar(100, 50, 0);
    const struct {
        int32_t y, part;
    } hits[] = {{5, 0}, {20, 2}, {107, 2}, {108, 3}, {150, 3}, {205, 4}, {215, -1}, {-1, -1}};
    for (const auto& h : hits) EXPECT_EQ(h.part, drawer->hitTest(0, 0, 15, 215, s, 7, h.y)) << h.y;
    const ScrollBarState middle = bar(100, 50, 25);
    EXPECT_EQ(1, drawer->hitTest(0, 0, 15, 215, middle, 7, 20));
    EXPECT_EQ(0, drawer->positionFromDrag(0, 0, 15, 215, s, -40));
    EXPECT_EQ(25, drawer->positionFromDrag(0, 0, 15, 215, s, 46));
    EXPECT_EQ(50, drawer->positionFromDrag(0, 0, 15, 215, s, 500));
    EXPECT_EQ(0, drawer->positionFromDrag(0, 0, 15, 215, bar(10, 10, 0), 30));
    // With the other bar shown, the corner box comes off the end.
    const ScrollBarGeometry g = d::scrollbar::scrollBarGeometry(0, 0, 15, 215, bar(100, 50, 0, true), 15);
    EXPECT_EQ(185, g.parts[ScrollBarGeometry::kLastArrow].top);
    EXPECT_EQ(200, g.parts[ScrollBarGeometry::kCorner].top);
}

TEST(ControlDrawerTest, AScrollBarWhosePageCoversTheRangeShowsArrowsButNoThumb) {
    Pooled<d::scrollbar::win::Thin> drawer;
    drawer->setThickness(15);
    drawer->setBackgroundColour(1, 1, 1);
    Canvas canvas(15, 100);
    drawer->draw(canvas.dc(), 0, 0, 15, 100, bar(10, 10, 0));
    Canvas thumb(15, 100);
    drawer->draw(thumb.dc(), 0, 0, 15, 100, bar(10, 5, 0));
    int32_t trackInk = 0, thumbInk = 0;
    for (int32_t y = 15; y < 85; ++y) {
        for (int32_t x = 0; x < 15; ++x) {
            trackInk += canvas.at(x, y) != RGB(1, 1, 1);
            thumbInk += thumb.at(x, y) != RGB(1, 1, 1);
        }
    }
    EXPECT_EQ(0, trackInk);
    EXPECT_GT(thumbInk, 2 * 35);
    EXPECT_TRUE(canvas.inked(7, 0) || canvas.inked(7, 1));  // the arrow buttons' frames
}

TEST(ControlDrawerTest, CounterHeightsNeverDivideByAnEmptyRange) {
    EXPECT_EQ(0, d::counter::sampleHeight(5, 5, 5, 40));
    EXPECT_EQ(1, d::counter::sampleHeight(7, 5, 5, 40));  // above the minimum: a 1-pixel mark
    EXPECT_EQ(20, d::counter::sampleHeight(50, 0, 100, 40));
    EXPECT_EQ(1, d::counter::sampleHeight(1, 0, 100, 40));
    EXPECT_EQ(40, d::counter::sampleHeight(500, 0, 100, 40));
    EXPECT_EQ(0, d::counter::sampleHeight(-5, 0, 100, 40));
    // Automatic scaling over samples all at the minimum: every sample at height 0.
    d::counter::ValueHistory flat(16);
    flat.setAutoScale(true);
    for (int i = 0; i < 16; ++i) flat.add(0);
    Pooled<d::counter::win::Basic> counter;
    counter->setBackgroundColour(255, 255, 255);
    counter->setFirstColour(0, 0, 0);
    Canvas canvas(20, 10);
    counter->draw(canvas.dc(), 0, 0, 20, 10, &flat, nullptr);
    EXPECT_EQ(0, canvas.inkCount());
}

TEST(ControlDrawerTest, CounterSamplesStandFromTheRightNewestLast) {
    d::counter::ValueHistory history(8);
    history.setLimits(0, 10);
    for (int v : {10, 5, 0, 2}) history.add(v);
    Pooled<d::counter::win::Basic> counter;
    counter->setFirstColour(0, 0, 0);
    Canvas canvas(10, 10);
    counter->draw(canvas.dc(), 0, 0, 10, 10, &history, nullptr);
    const int32_t expected[10] = {0, 0, 0, 0, 0, 0, 10, 5, 0, 2};
    for (int32_t x = 0; x < 10; ++x) {
        int32_t height = 0;
        for (int32_t y = 0; y < 10; ++y) height += canvas.inked(x, y);
        EXPECT_EQ(expected[x], height) << x;
    }
}

TEST(ControlDrawerTest, ListHitBandsFollowTheIndentAndTheScale) {
    for (int32_t scale : {1, 2, 4}) {
        ScaleScope scope(scale);
        Pooled<d::listbox::win::Basic> list;
        const int32_t s = scale;
        EXPECT_TRUE(list->hitsExpander(0, 4 * s, s));
        EXPECT_FALSE(list->hitsExpander(0, 4 * s - 1, s));
        EXPECT_FALSE(list->hitsExpander(0, 17 * s, s));
        EXPECT_TRUE(list->hitsExpander(2, 30 * s + 4 * s, 15 * s));
        EXPECT_FALSE(list->hitsExpander(0, 5 * s, 16 * s));
        EXPECT_TRUE(list->hitsCheckBox(0, true, 20 * s, s));
        EXPECT_FALSE(list->hitsCheckBox(0, true, 35 * s, s));
        EXPECT_TRUE(list->hitsCheckBox(0, false, 4 * s, s));
        EXPECT_FALSE(list->hitsCheckBox(0, false, 19 * s, s));
        EXPECT_TRUE(list->hitsCheckBox(1, false, 15 * s + 18 * s, 8 * s));
    }
}

TEST(ControlDrawerTest, ListItemsFillTheirRowAndMarkTheDropPlace) {
    Pooled<d::listbox::win::Basic> list;
    list->setBackgroundColour(250, 250, 250);
    list->setAlternateColour(200, 200, 200);
    list->setSelectionColour(10, 20, 30);
    d::listbox::ListItem item;
    Canvas plain(60, 16);
    list->drawItem(plain.dc(), 0, 0, 60, 16, item);
    EXPECT_EQ(60 * 16, plain.countColour(RGB(250, 250, 250)));
    item.alternate = true;
    item.dropPosition = 1;
    Canvas marked(60, 16);
    list->drawItem(marked.dc(), 0, 0, 60, 16, item);
    EXPECT_EQ(hex(RGB(200, 200, 200)), hex(marked.at(30, 5)));
    EXPECT_EQ(hex(RGB(10, 20, 30)), hex(marked.at(30, 15)));
    EXPECT_EQ(hex(RGB(200, 200, 200)), hex(marked.at(2, 15)));  // the marker starts at the indent
    item.selected = true;
    Canvas selected(60, 16);
    list->drawItem(selected.dc(), 0, 0, 60, 16, item);
    EXPECT_EQ(hex(RGB(10, 20, 30)), hex(selected.at(30, 5)));
}

TEST(ControlDrawerTest, TextFlagsFollowTheLayout) {
    Pooled<d::text::win::Basic> text;
    s::gui::win::FontSetting plain, wrapped, ellipsis;
    wrapped.setWordWrap(true);
    ellipsis.setEllipsis(true);
    s::gui::win::Font* fonts[3] = {plain.makeFont(), wrapped.makeFont(), ellipsis.makeFont()};
    EXPECT_EQ(0x820u, text->formatFor(fonts[0]));
    EXPECT_EQ(0x810u, text->formatFor(fonts[1]));
    EXPECT_EQ(0x8820u, text->formatFor(fonts[2]));
    text->setCentred(true);
    for (auto* f : fonts) EXPECT_EQ(0x8825u, text->formatFor(f));
    for (auto* f : fonts) f->releaseToPool();
}

TEST(ControlDrawerTest, EffectsWidenAndHeightenTheMeasure) {
    Pooled<d::text::win::Basic> text;
    s::gui::win::FontSetting setting;
    s::gui::win::Font* font = setting.makeFont();
    ASSERT_TRUE(font);
    Canvas canvas(10, 10);
    const RECT none = {0, 0, 0, 0};
    int32_t w0 = 0, h0 = 0;
    text->measureText(canvas.dc(), none, L"Measure", font, &w0, &h0);
    ASSERT_GT(w0, 0);
    const int32_t grow[8][2] = {{0, 0}, {2, 1}, {1, 1}, {2, 1}, {0, 1}, {2, 1}, {0, 1}, {2, 1}};
    for (int32_t effect = 0; effect < 8; ++effect) {
        font->setTextEffect(effect);
        int32_t w = 0, h = 0;
        text->measureText(canvas.dc(), none, L"Measure", font, &w, &h);
        EXPECT_EQ(w0 + grow[effect][0], w) << effect;
        EXPECT_EQ(h0 + grow[effect][1], h) << effect;
    }
    font->releaseToPool();
}

// The shadow effect lays a grey copy one pixel right and down under the text: the dark
// 119 grey for an enabled control's text, the pale 238 for a disabled one's. Unsmoothed
// glyphs, so that every pixel is one of the three colours.
TEST(ControlDrawerTest, TheShadowOfDisabledTextIsThePaleGrey) {
    Pooled<d::text::win::Basic> text;
    for (bool disabled : {false, true}) {
        SCOPED_TRACE(disabled ? "disabled" : "enabled");
        s::gui::win::FontSetting setting;
        setting.setTextEffect(2);
        setting.setClearType(false);
        setting.setPointSize(20);
        setting.setBold(true);
        setting.setTextColour(255, 0, 0);
        setting.setDisabledText(disabled);
        s::gui::win::Font* font = setting.makeFont();
        ASSERT_TRUE(font);
        Canvas canvas(120, 50);
        text->drawText(canvas.dc(), RECT{4, 4, 116, 46}, L"IIII", font);
        EXPECT_GT(canvas.countColour(RGB(255, 0, 0)), 0);
        const int32_t dark = canvas.countColour(RGB(119, 119, 119));
        const int32_t pale = canvas.countColour(RGB(238, 238, 238));
        EXPECT_GT(disabled ? pale : dark, 0);
        EXPECT_EQ(0, disabled ? dark : pale);
        font->releaseToPool();
    }
    // The text drawer's own disabled face is such a font.
    EXPECT_TRUE(text->getDisabledFont()->isDisabledText());
    EXPECT_FALSE(text->getNormalFont()->isDisabledText());
}

TEST(ControlDrawerTest, ColourRampsConvertHsvAndHsl) {
    EXPECT_EQ(hex(RGB(255, 0, 0)), hex(d::slider::hsvToRgb(0, 100, 100)));
    EXPECT_EQ(hex(RGB(0, 255, 0)), hex(d::slider::hsvToRgb(120, 100, 100)));
    EXPECT_EQ(hex(RGB(0, 0, 255)), hex(d::slider::hsvToRgb(240, 100, 100)));
    EXPECT_EQ(hex(RGB(255, 255, 0)), hex(d::slider::hsvToRgb(60, 100, 100)));
    EXPECT_EQ(hex(RGB(128, 128, 128)), hex(d::slider::hsvToRgb(200, 0, 50)));
    EXPECT_EQ(hex(RGB(0, 0, 255)), hex(d::slider::hslToRgb(240, 100, 50)));
    EXPECT_EQ(hex(RGB(255, 255, 255)), hex(d::slider::hslToRgb(10, 100, 100)));
    EXPECT_EQ(hex(RGB(255, 0, 0)), hex(d::slider::hslToRgb(360, 100, 50)));
    EXPECT_EQ(hex(RGB(191, 64, 64)), hex(d::slider::hslToRgb(0, 50, 50)));
}

}  // namespace
