// tests/s/gui/drawer/FigureTest.cpp
//
// Solid figures of the frame, border, status-bar, check, radio and button drawers, read
// back pixel by pixel at scales 1, 2 and 4.
#include <gmock/gmock.h>

#include "s/gui/drawer/border/win/Plain.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/border/win/UnderWindowMenu.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/groupbox/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/OsLook.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"

namespace {

namespace d = s::gui::drawer;
using tests::Pooled;
using tests::gui::Canvas;
using tests::gui::hex;
using tests::gui::kWhite;
using tests::gui::ScaleScope;

constexpr int32_t kScales[] = {1, 2, 4};

struct Point {
    int32_t x, y;  // negative: from the right or bottom edge (-1 is the last pixel)
};

int32_t place(int32_t v, int32_t size) { return v < 0 ? size + v : v; }

struct CornerCase {
    int32_t top, bottom;
    std::vector<Point> frame;   // pixels in the frame colour
    std::vector<Point> inside;  // pixels in the background colour
};

TEST(FigureTest, WindowFramesAndTheirCornerStyles) {
    const COLORREF frame = RGB(17, 17, 17), back = RGB(116, 116, 116);
    const CornerCase cases[] = {
        {0, 0, {{0, 0}, {-1, 0}, {0, -1}, {-1, -1}, {20, 0}, {0, 15}}, {{1, 1}, {-2, -2}, {2, 2}}},
        {1, 0, {{0, 1}, {1, 1}, {-2, 1}, {-1, 1}}, {{2, 1}, {1, -2}, {-2, -2}}},
        {0, 1, {{0, -2}, {1, -2}, {-2, -2}, {-1, -2}}, {{1, 1}, {2, -2}}},
        {2, 2, {{4, 1}, {2, 2}, {1, 3}, {1, 4}, {0, 5}, {-5, 1}, {-3, 2}, {-2, 4}, {1, -5}, {4, -2}, {-5, -2}, {-3, -4}},
         {{5, 1}, {3, 2}, {2, 3}, {2, 4}, {1, 5}, {-6, 1}, {-4, 2}, {2, -5}, {5, -2}}},
    };
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        for (const CornerCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "styles " << c.top << "/" << c.bottom << " scale " << scale);
            Pooled<d::window::win::Thin> drawer;
            drawer->setFrameColour(17, 17, 17);
            drawer->setBackgroundColour(116, 116, 116);
            drawer->setTopCornerStyle(c.top);
            drawer->setBottomCornerStyle(c.bottom);
            Canvas canvas(40, 30);
            drawer->draw(canvas.dc(), 0, 0, 40, 30);
            for (const Point& p : c.frame) {
                EXPECT_EQ(hex(frame), hex(canvas.at(place(p.x, 40), place(p.y, 30)))) << p.x << "," << p.y;
            }
            for (const Point& p : c.inside) {
                EXPECT_EQ(hex(back), hex(canvas.at(place(p.x, 40), place(p.y, 30)))) << p.x << "," << p.y;
            }
        }
    }
}

TEST(FigureTest, ATransparentWindowDrawerPaintsOnlyItsFrame) {
    Pooled<d::window::win::Thin> drawer;
    EXPECT_TRUE(drawer->isTransparent());
    Canvas canvas(20, 20);
    drawer->draw(canvas.dc(), 0, 0, 20, 20);
    EXPECT_EQ(hex(RGB(120, 120, 120)), hex(canvas.at(0, 0)));
    EXPECT_EQ(hex(kWhite), hex(canvas.at(10, 10)));
    EXPECT_EQ(76, canvas.inkCount());
}

TEST(FigureTest, WindowRegionsCutTheRoundedCornersOnly) {
    Pooled<d::window::win::Thin> drawer;
    drawer->setTopCornerStyle(1);
    HRGN region = drawer->createRegion(0, 0, 99, 49);
    ASSERT_TRUE(region);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 99, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 49));  // the bottom stays square
    EXPECT_TRUE(PtInRegion(region, 99, 49));
    EXPECT_TRUE(PtInRegion(region, 50, 0));
    EXPECT_FALSE(PtInRegion(region, 50, 50));
    DeleteObject(region);
    drawer->setTopCornerStyle(0);
    region = drawer->createRegion(0, 0, 99, 49);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 99, 49));
    DeleteObject(region);
    drawer->setTopCornerStyle(7);
    EXPECT_EQ(nullptr, drawer->createRegion(0, 0, 99, 49));
}

struct ShadeCase {
    int32_t kind;
    int32_t top, right, bottom, left;  // grey levels of the edges' middles
};

TEST(FigureTest, ShadedThinBordersAtEveryScale) {
    // Base 240: x 1.05 = 252, x 0.9 = 216, x 0.85 = 204; x 1.15 is capped at 255.
    const ShadeCase cases[] = {
        {1, 252, 216, 204, 240},
        {0, 255, 168, 120, 252},
        {2, 168, 216, 252, 204},
    };
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        const int32_t t = scale >= 2 ? 2 : 1;
        for (const ShadeCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "kind " << c.kind << " scale " << scale);
            Pooled<d::border::win::Thin> border;
            border->setShaded(true);
            Canvas canvas(30, 20);
            border->draw(canvas.dc(), 0, 0, 30, 20, c.kind, 0, 240, 240, 240);
            auto grey = [](int32_t v) { return hex(RGB(v, v, v)); };
            EXPECT_EQ(grey(c.top), hex(canvas.at(15, t - 1)));
            EXPECT_EQ(grey(c.bottom), hex(canvas.at(15, 20 - t)));
            EXPECT_EQ(grey(c.right), hex(canvas.at(30 - t, 10)));
            EXPECT_EQ(grey(c.left), hex(canvas.at(t - 1, 10)));
            EXPECT_EQ(hex(kWhite), hex(canvas.at(t, t)));
        }
    }
}

TEST(FigureTest, AnOpenBottomBorderHasNoBottomEdgeAndUnknownKindsPaintNothing) {
    Pooled<d::border::win::Thin> border;
    Canvas canvas(30, 20);
    border->draw(canvas.dc(), 0, 0, 30, 20, 3, 0, 10, 20, 30);
    EXPECT_EQ(hex(RGB(10, 20, 30)), hex(canvas.at(15, 0)));
    EXPECT_EQ(hex(kWhite), hex(canvas.at(15, 19)));
    Canvas other(30, 20);
    border->draw(other.dc(), 0, 0, 30, 20, 4, 0, 10, 20, 30);
    EXPECT_EQ(0, other.inkCount());
}

TEST(FigureTest, RoundedThinBorderCornersStayOpen) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        for (int32_t style : {1, 2}) {
            Pooled<d::border::win::Thin> border;
            Canvas canvas(30, 20);
            border->draw(canvas.dc(), 0, 0, 30, 20, 1, style, 0, 0, 0);
            SCOPED_TRACE(testing::Message() << "style " << style << " scale " << scale);
            EXPECT_FALSE(canvas.inked(0, 0));
            EXPECT_FALSE(canvas.inked(29, 0));
            EXPECT_FALSE(canvas.inked(0, 19));
            EXPECT_TRUE(canvas.inked(15, 0));
            EXPECT_TRUE(canvas.inked(0, 10));
        }
    }
}

TEST(FigureTest, PlainBorderAndTheLineUnderAMenu) {
    Pooled<d::border::win::Plain> plain;
    plain->setColour(1, 2, 3);
    Canvas canvas(10, 8);
    plain->draw(canvas.dc(), 0, 0, 10, 8);
    EXPECT_EQ(hex(RGB(1, 2, 3)), hex(canvas.at(9, 7)));
    EXPECT_EQ(hex(RGB(1, 2, 3)), hex(canvas.at(0, 0)));
    EXPECT_EQ(2 * 10 + 2 * 6, canvas.inkCount());
    Pooled<d::border::win::UnderWindowMenu> line;
    Canvas under(10, 4, RGB(1, 1, 1));
    line->draw(under.dc(), 0, 0, 10, 4);
    EXPECT_EQ(hex(RGB(172, 168, 153)), hex(under.at(5, 0)));
    EXPECT_EQ(hex(kWhite), hex(under.at(5, 1)));
    EXPECT_EQ(hex(RGB(1, 1, 1)), hex(under.at(5, 2)));
}

TEST(FigureTest, TheSizeGripsSixDotsWithTheirShadows) {
    Pooled<d::statusbar::win::BasicResizer> grip;
    Canvas canvas(30, 20, RGB(0, 0, 0));
    grip->draw(canvas.dc(), 0, 0, 30, 20);
    const COLORREF shadow = RGB(184, 181, 161);
    const int32_t dots[6][2] = {{27, 9}, {27, 13}, {23, 13}, {27, 17}, {23, 17}, {19, 17}};
    for (const auto& p : dots) {
        SCOPED_TRACE(testing::Message() << p[0] << "," << p[1]);
        for (int dy = 0; dy < 2; ++dy) {
            for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(hex(kWhite), hex(canvas.at(p[0] + dx, p[1] + dy)));
        }
        EXPECT_EQ(hex(shadow), hex(canvas.at(p[0] - 1, p[1] - 1)));
    }
    EXPECT_EQ(6 * 4, canvas.countColour(kWhite));
    EXPECT_EQ(6 * 3, canvas.countColour(shadow));
}

TEST(FigureTest, TheStatusBarGradientIsOnlyTheXpLookButTheGripAlwaysShows) {
    Pooled<d::statusbar::win::Basic> bar;
    bar->setGradient(true);
    bar->setGrip(true);
    s::gui::win::overrideVistaLook(0);
    Canvas xp(100, 23, RGB(0, 0, 0));
    bar->draw(xp.dc(), 0, 0, 100, 23);
    s::gui::win::overrideVistaLook(1);
    Canvas vista(100, 23, RGB(0, 0, 0));
    bar->draw(vista.dc(), 0, 0, 100, 23);
    s::gui::win::overrideVistaLook(-1);
    EXPECT_EQ(hex(RGB(149, 147, 133)), hex(xp.at(50, 0)));
    EXPECT_EQ(hex(RGB(238, 235, 217)), hex(xp.at(50, 4)));
    EXPECT_EQ(hex(RGB(236, 233, 216)), hex(xp.at(50, 10)));
    EXPECT_EQ(hex(RGB(223, 220, 202)), hex(xp.at(50, 22)));
    EXPECT_EQ(hex(RGB(166, 164, 149)), hex(xp.at(0, 0)));
    EXPECT_EQ(hex(RGB(150, 147, 134)), hex(xp.at(99 - 6, 0)));
    EXPECT_EQ(hex(RGB(227, 228, 223)), hex(xp.at(0, 1)));
    EXPECT_EQ(hex(kWhite), hex(xp.at(97, 20)));
    EXPECT_EQ(hex(RGB(0, 0, 0)), hex(vista.at(50, 10)));
    EXPECT_EQ(hex(kWhite), hex(vista.at(97, 20)));
    EXPECT_EQ(6 * 4, vista.countColour(kWhite));
    EXPECT_EQ(23, bar->getHeight() / s::gui::win::uiScale());
}

TEST(FigureTest, GroupFramesLeaveTheTitleGapAndRoundTheirCorners) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        Pooled<d::groupbox::win::Basic> basic;
        basic->setFrameColour(1, 2, 3);
        Canvas a(80, 40);
        basic->draw(a.dc(), 0, 0, 80, 40, L"Title", nullptr, 30, 12);
        const COLORREF c = RGB(1, 2, 3);
        EXPECT_EQ(hex(c), hex(a.at(3, 0)));
        EXPECT_EQ(hex(kWhite), hex(a.at(20, 0)));  // the title's gap
        EXPECT_EQ(hex(c), hex(a.at(60, 0)));
        EXPECT_EQ(hex(c), hex(a.at(0, 20)));
        EXPECT_EQ(hex(c), hex(a.at(79, 20)));
        EXPECT_EQ(hex(c), hex(a.at(40, 39)));
        EXPECT_EQ(hex(c), hex(a.at(1, 1)));  // the rounding inside the corner
        EXPECT_EQ(hex(kWhite), hex(a.at(0, 0)));

        Pooled<d::groupbox::win::Thin> thin;
        thin->setFrameColour(1, 2, 3);
        Canvas b(120, 60);
        thin->draw(b.dc(), 0, 0, 120, 60, L"Title", nullptr, 30, 12);
        const int32_t t = scale >= 2 ? 4 : 2;
        EXPECT_EQ(hex(c), hex(b.at(0, 30)));
        EXPECT_EQ(hex(c), hex(b.at(t - 1, 30)));
        EXPECT_EQ(hex(kWhite), hex(b.at(t, 30)));
        EXPECT_EQ(hex(kWhite), hex(b.at(9 * scale + 15, 0)));
        EXPECT_EQ(hex(c), hex(b.at(t, t)));
        EXPECT_EQ(hex(kWhite), hex(b.at(0, 0)));
    }
}

TEST(FigureTest, CheckBoxesShowTheirMarkOnlyWhenChecked) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        const int32_t e = 13 * scale;
        Pooled<d::checkbox::win::Thin> box;
        box->setBoxFrameColour(200, 0, 0);
        for (bool checked : {false, true}) {
            Canvas canvas(e + 10, e, RGB(0, 0, 255));
            box->draw(canvas.dc(), 0, 0, e + 10, e, e, nullptr, nullptr, true, checked);
            EXPECT_EQ(hex(RGB(200, 0, 0)), hex(canvas.at(0, e / 2)));
            EXPECT_EQ(hex(RGB(200, 0, 0)), hex(canvas.at(2 * scale - 1, e / 2)));
            EXPECT_EQ(hex(RGB(0, 0, 255)), hex(canvas.at(e + 5, e / 2)));
            const int32_t black = canvas.countColour(RGB(0, 0, 0));
            if (checked) {
                EXPECT_GT(black, 4 * scale);
            } else {
                EXPECT_EQ(0, black);
                EXPECT_EQ((e - 4 * scale) * (e - 4 * scale), canvas.countColour(kWhite));
            }
        }
    }
}

TEST(FigureTest, RadioButtonsShowTheDotColourAtTheirCentreWhenChecked) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        Pooled<d::radiobutton::win::Thin> radio;
        const int32_t h = 13 * scale, mark = 13 * scale;
        for (bool checked : {false, true}) {
            Canvas canvas(40 * scale, h);
            radio->draw(canvas.dc(), 0, 0, 40 * scale, h, nullptr, nullptr, true, checked, kWhite);
            const COLORREF centre = canvas.at(mark / 2, h / 2);
            if (checked) {
                EXPECT_GT(GetGValue(centre), 150) << hex(centre);
                EXPECT_LT(GetRValue(centre), 100) << hex(centre);
            } else {
                EXPECT_EQ(hex(kWhite), hex(centre));
            }
            EXPECT_TRUE(canvas.inked(0, h / 2) || canvas.inked(1, h / 2));  // the ring
            EXPECT_EQ(0, canvas.inkOutside(RECT{0, 0, mark, h}));
        }
    }
}

struct ButtonCase {
    bool enabled, toggled;
    COLORREF edge;
};

TEST(FigureTest, ButtonFramesTakeTheColourOfTheirState) {
    const ButtonCase cases[] = {
        {true, false, RGB(10, 10, 10)},
        {false, false, RGB(20, 20, 20)},
        {true, true, RGB(30, 30, 30)},
        {false, true, RGB(20, 20, 20)},
    };
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        for (const ButtonCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "enabled " << c.enabled << " toggled " << c.toggled << " scale "
                                            << scale);
            Pooled<d::button::win::Thin> button;
            button->setCornerStyle(0);
            button->setFrameColour(10, 10, 10);
            button->setDisabledFrameColour(20, 20, 20);
            button->setToggledFrameColour(30, 30, 30);
            button->setToggledFillColour(40, 40, 40);
            Canvas canvas(40, 24);
            button->draw(canvas.dc(), 0, 0, 40, 24, 0, nullptr, true, nullptr, c.enabled, c.toggled, false);
            EXPECT_EQ(hex(c.edge), hex(canvas.at(20, 0)));
            EXPECT_EQ(hex(c.edge), hex(canvas.at(0, 12)));
            EXPECT_EQ(hex(c.toggled ? RGB(40, 40, 40) : kWhite), hex(canvas.at(20, 12)));
        }
    }
}

TEST(FigureTest, AToggledGlyphTakesTheFontColourAndAnUntoggledOneTheFrameColour) {
    s::gui::win::FontSetting setting;
    setting.setTextColour(0, 200, 0);
    s::gui::win::Font* font = setting.makeFont();
    ASSERT_TRUE(font);
    Pooled<d::button::win::Thin> button;
    button->setFrameColour(200, 0, 0);
    button->setToggledFrameColour(200, 0, 0);
    button->setToggledFillColour(255, 255, 255);
    for (bool toggled : {false, true}) {
        Canvas canvas(30, 30);
        button->draw(canvas.dc(), 0, 0, 30, 30, 0, L"#Stop", false, font, true, toggled, false);
        EXPECT_EQ(hex(toggled ? RGB(0, 200, 0) : RGB(200, 0, 0)), hex(canvas.at(15, 15)));
    }
    font->releaseToPool();
}

// The rectangle form of the one solid fill stands in for FillRect: it must paint the very
// pixels FillRect paints, for a rectangle given backwards too.
TEST(FigureTest, TheFillOfARectanglePaintsWhatFillRectPaints) {
    const RECT cases[] = {
        {4, 5, 10, 12}, {10, 5, 4, 12}, {4, 12, 10, 5}, {10, 12, 4, 5}, {4, 5, 4, 12},
        {4, 5, 10, 5},  {5, 5, 4, 12},  {-3, -2, 2, 3}, {2, 3, -3, -2}, {18, 18, 25, 25},
    };
    const COLORREF red = RGB(200, 0, 0);
    HBRUSH brush = CreateSolidBrush(red);
    ASSERT_NE(nullptr, brush);
    for (const RECT& r : cases) {
        SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
        Canvas system(20, 20), ours(20, 20);
        EXPECT_TRUE(system.ok() && ours.ok());
        if (!system.ok() || !ours.ok()) continue;
        FillRect(system.dc(), &r, brush);
        d::win::fill(ours.dc(), r, red);
        int32_t differing = 0;
        for (int32_t y = 0; y < 20; ++y)
            for (int32_t x = 0; x < 20; ++x) differing += system.at(x, y) != ours.at(x, y);
        EXPECT_EQ(0, differing);
    }
    DeleteObject(brush);
}

}  // namespace
