// tests/s/gui/win/ButtonTest.cpp
//
// Buttons inside a Box of a shown Window, driven by the messages the system sends for
// clicks and holds; every effect read back from the native control or the listeners.
#include "s/gui/win/Button.h"

#include <atomic>
#include <functional>

#include <gmock/gmock.h>

#include "s/gui/IFont.h"
#include "s/gui/drawer/button/win/Glyphs.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;

class ButtonTest : public tests::gui::GuiTest {};

// Counts its faces; draws a plain frame so screenshots show where it painted.
class CountingDrawer final : public s::gui::drawer::IButton {
public:
    std::atomic<int> draws{0};
    std::atomic<int> lastLook{-1};
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t look,
              const wchar_t*, bool, const s::gui::IFont*, bool, bool, bool) override {
        RECT r = {left, top, right, bottom};
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        lastLook = look;
        ++draws;
    }
    bool drawGlyph(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, int32_t, int32_t,
                   int32_t) override {
        return false;
    }
    s::gui::IFontDescription* getCaptionFont() override { return nullptr; }
    s::gui::IFontDescription* getCaptionDisabledFont() override { return nullptr; }
    s::gui::IFontDescription* getSecondTextFont() override { return nullptr; }
    const wchar_t* classId() const override { return L"tests_CountingDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}
};

struct Shown {
    Pooled<Window> window{s::thread::Pool<Window, 0>::obtain()};
    Box* box = s::thread::Pool<Box>::obtain();

    Shown() {
        window->setLayoutManager(s::gui::layout::Vertical::shared());
        window->setBounds(60, 60, 320, 220);
        box->setFillParent();
        box->setMargin(8, false);
        box->setVerticalGap(6);
    }
    Button* add(Button* button) {
        box->addChild(button);
        return button;
    }
    void show() {
        window->addChild(box);
        window->show(true, false);
    }
};

HWND handleOf(s::gui::IComponent* c) { return c->nativeWindow()->m_hWnd; }

void pumpFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) Sleep(10);
}

TEST_F(ButtonTest, ClicksToggleAndReportInOrder) {
    Shown s;
    Button* plain = s.add(newButtonWithText(L"Plain", -1, -1));
    Button* toggle = s.add(newButtonWithText(L"Toggle", 90, 26));
    Button* sticky = s.add(newButtonWithText(L"Sticky", 90, 26));
    toggle->setToggleMode(true, true, false, false);
    sticky->setToggleMode(true, false, false, false);
    Recorder clicks, toggles;
    int order = 0, clickAt = 0, toggleAt = 0;
    bool toggledWhenTold = false;
    clicks.action = [&] { clickAt = ++order; };
    toggles.action = [&] { toggleAt = ++order, toggledWhenTold = toggle->isToggled(); };
    plain->addClickListener(&clicks);
    toggle->addClickListener(&clicks);
    toggle->addToggleListener(&toggles);
    s.show();
    ASSERT_NE(handleOf(plain), nullptr);
    wchar_t className[16] = {};
    GetClassNameW(handleOf(plain), className, 16);
    EXPECT_STREQ(className, L"Button");
    const LONG style = WS_CHILD | WS_TABSTOP | BS_NOTIFY;
    EXPECT_EQ(GetWindowLongW(handleOf(plain), GWL_STYLE) & style, style);
    EXPECT_GT(plain->getWidth(), 20);  // measured from the caption
    EXPECT_EQ(toggle->getWidth(), 90);
    EXPECT_EQ(toggle->getHeight(), 26);

    SendMessageW(handleOf(plain), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.calls.load(), 1);
    EXPECT_EQ(clicks.lastCode.load(), s::gui::IButton::kClicked);
    EXPECT_EQ(clicks.thread.load(), s.window->uiThreadId());

    SendMessageW(handleOf(toggle), BM_CLICK, 0, 0);
    EXPECT_TRUE(toggle->isToggled());
    EXPECT_TRUE(toggledWhenTold);  // told after the state flipped
    EXPECT_LT(clickAt, toggleAt);
    EXPECT_EQ(toggles.lastCode.load(), s::gui::IButton::kToggled);
    SendMessageW(handleOf(toggle), BM_CLICK, 0, 0);
    EXPECT_FALSE(toggle->isToggled());

    SendMessageW(handleOf(sticky), BM_CLICK, 0, 0);
    SendMessageW(handleOf(sticky), BM_CLICK, 0, 0);
    EXPECT_TRUE(sticky->isToggled());  // may not untoggle
    RECT r;
    GetWindowRect(handleOf(sticky), &r);
    LPARAM at = MAKELPARAM(r.left + 2, r.top + 2);
    EXPECT_EQ(SendMessageW(handleOf(sticky), WM_NCHITTEST, 0, at), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(handleOf(toggle), WM_NCHITTEST, 0,
                           MAKELPARAM(r.left + 2, r.top + 2 - 32)),
              HTCLIENT);
}

TEST_F(ButtonTest, HeldAutoRepeatButtonRepeatsAfterTheDelayWhileTheCursorStaysInside) {
    Shown s;
    Button* repeat = s.add(newButtonWithText(L"Repeat", 120, 40));
    repeat->setAutoRepeat(true);
    Recorder presses;
    repeat->addPressListener(&presses);
    s.show();
    HWND h = handleOf(repeat);
    RECT r;
    GetWindowRect(h, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    pumpFor(250);
    EXPECT_EQ(presses.calls.load(), 1);  // the press itself, no repeat before 500 ms
    EXPECT_EQ(presses.lastCode.load(), s::gui::IButton::kPressed);
    pumpFor(1000);  // 1.25 s held: repeats at about 600, 700 ... 1200 ms
    int held = presses.calls.load();
    EXPECT_GE(held, 1 + 4);
    EXPECT_LE(held, 1 + 8);
    SetCursorPos(r.right + 60, r.bottom + 60);  // outside: the ticks stop
    pumpFor(300);
    int outside = presses.calls.load();
    EXPECT_LE(outside - held, 1);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    pumpFor(300);
    EXPECT_GE(presses.calls.load() - outside, 1);  // the timer still runs
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    int released = presses.calls.load();
    pumpFor(300);
    EXPECT_EQ(presses.calls.load(), released);
    // A timer that is not the button's own goes on to the control and fires nothing.
    SendMessageW(h, WM_TIMER, 77, 0);
    EXPECT_EQ(presses.calls.load(), released);
}

TEST_F(ButtonTest, DefaultStyleIsSetAndClearedOnTheNativeControl) {
    Shown s;
    Button* early = s.add(newButtonWithText(L"OK", 80, 24));
    Button* late = s.add(newButtonWithText(L"Cancel", 80, 24));
    early->makeDefault();  // before the control exists: applied at creation
    s.show();
    EXPECT_TRUE(GetWindowLongW(handleOf(early), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_TRUE(early->isDefault());
    late->makeDefault();
    early->clearDefault();
    EXPECT_TRUE(GetWindowLongW(handleOf(late), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_FALSE(GetWindowLongW(handleOf(early), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_FALSE(early->isDefault());
}

TEST_F(ButtonTest, DrawerPaintsAgainAfterEveryStateTheNativeControlPaints) {
    Shown s;
    CountingDrawer drawer;
    Button* b = s.add(newButtonWithText(L"Drawn", 100, 30));
    b->setDrawer(&drawer, false);
    b->setToggleMode(true, false, false, false);
    s.show();
    HWND h = handleOf(b);
    UpdateWindow(h);
    const UINT messages[] = {BM_SETSTATE, BM_SETSTATE, WM_SETFOCUS, WM_KILLFOCUS, BM_SETCHECK};
    const WPARAM values[] = {TRUE, FALSE, 0, 0, BST_CHECKED};
    for (int i = 0; i < 5; ++i) {
        int before = drawer.draws.load();
        SendMessageW(h, messages[i], values[i], 0);
        EXPECT_GT(drawer.draws.load(), before) << "message " << messages[i];
    }
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_TRUE(b->isToggled());
    int before = drawer.draws.load();
    // Another thread's window paints on its own thread, not always before UpdateWindow
    // returns here (Wine 8.0): wait for the paint.
    EXPECT_TRUE(tests::gui::eventually(
        [&] {
            InvalidateRect(h, nullptr, FALSE);
            UpdateWindow(h);
            return drawer.draws.load() > before;
        },
        3000));
    EXPECT_EQ(drawer.lastLook.load(), 0);  // toggled for good: the plain look
}

TEST_F(ButtonTest, SwatchCaptionAndFactories) {
    Pooled<Button> swatch(newButtonWithText(L"", -1, -1));
    swatch->setColourCaption(0x40, 0x80, 0xFF);
    EXPECT_STREQ(swatch->getText(), L"#Color-00ff8040");
    COLORREF colour = 0;
    ASSERT_TRUE(s::gui::drawer::button::win::swatchColour(swatch->getText(), &colour));
    EXPECT_EQ(colour, RGB(0x40, 0x80, 0xFF));  // what the drawer paints
    Pooled<Button> preset(newButtonPresetText());
    EXPECT_EQ(preset->getTextId(), 2000003000);
    EXPECT_FALSE(preset->isEnabled());
    Pooled<Button> change(newChangeColorButton());
    EXPECT_STREQ(change->getText(), L" Change Color ");
    EXPECT_FALSE(change->isEnabled());
    Pooled<Button> alt(newButtonFromTextIdAlt(5, 22, 33.7));
    Pooled<Box> parent;
    parent->setSize(300, 100);
    alt->setParent(parent.get());
    EXPECT_EQ(alt->getTargetWidth(), 99);
    EXPECT_EQ(alt->getMinHeight(), 22);
    alt->setParent(nullptr);
}

// The grip drags the window's size by the mouse's way, unless the window may not be resized.
TEST_F(ButtonTest, TheSizeGripResizesOnlyAResizableWindow) {
    for (bool resizable : {true, false}) {
        SCOPED_TRACE(resizable ? "resizable" : "fixed");
        Shown s;
        Button* grip = s.add(newButtonWithText(L"#Resizer", 16, 16));
        s.window->setResizable(resizable);
        s.show();
        const HWND h = handleOf(grip);
        const int32_t width = s.window->getWidth(), height = s.window->getHeight();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4 + 30, 4 + 20));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(4 + 30, 4 + 20));
        EXPECT_EQ(resizable ? width + 30 : width, s.window->getWidth());
        EXPECT_EQ(resizable ? height + 20 : height, s.window->getHeight());
    }
}

// The skin's button drawer, noting the colour of the caption font of each face it paints.
class NotingThin final : public s::gui::drawer::button::win::Thin {
public:
    std::atomic<uint32_t> colour{0};
    std::atomic<int> draws{0};
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t look,
              const wchar_t* caption, bool framed, const s::gui::IFont* font, bool enabled, bool toggled,
              bool drawerFlag) override {
        colour = font ? font->getTextColour() : 0xFFFFFFFF;
        ++draws;
        Thin::draw(dc, left, top, right, bottom, look, caption, framed, font, enabled, toggled, drawerFlag);
    }
};

// A drawer gives the caption its faces: the normal, disabled and toggled colours are the
// skin's, except where the button chose its own.
TEST_F(ButtonTest, TheDrawerGivesTheCaptionFontsItsFaces) {
    NotingThin thin;
    thin.getCaptionFont()->setTextColour(255, 255, 255);
    thin.getCaptionDisabledFont()->setTextColour(86, 86, 86);
    thin.getSecondTextFont()->setTextColour(250, 200, 0);
    Shown s;
    Button* plain = s.add(newButtonWithText(L"Plain", 80, 24));
    Button* red = s.add(newButtonWithText(L"Red", 80, 24));
    red->setTextColour(200, 0, 0);
    s.show();
    auto painted = [&](Button* b) {
        thin.draws = 0;
        RedrawWindow(handleOf(b), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GT(thin.draws.load(), 0);
        return thin.colour.load();
    };
    plain->setDrawer(&thin, false);
    red->setDrawer(&thin, false);
    EXPECT_EQ(RGB(255, 255, 255), plain->getTextColour());
    EXPECT_EQ(RGB(255, 255, 255), painted(plain));
    EXPECT_EQ(RGB(200, 0, 0), painted(red));  // its own choice stays
    plain->setToggleMode(true, true, false, false);
    plain->setToggled(true);
    EXPECT_EQ(RGB(250, 200, 0), painted(plain));
    plain->setEnabled(false);
    red->setEnabled(false);
    EXPECT_EQ(RGB(86, 86, 86), painted(plain));
    EXPECT_EQ(RGB(86, 86, 86), painted(red));
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"buttons_drawer_faces").empty());
    plain->setDrawer(nullptr, false);
    red->setDrawer(nullptr, false);
}

TEST_F(ButtonTest, ScreenshotOfSkinnedAndNativeButtons) {
    Shown s;
    Pooled<s::gui::drawer::button::win::Thin> thin;
    s.add(newButtonWithText(L"Native", -1, -1));
    Button* skinned = s.add(newButtonWithText(L"Skinned", 120, 28));
    skinned->setDrawer(thin.get(), false);
    Button* swatch = s.add(newButtonWithText(L"", 60, 24));
    swatch->setColourCaption(200, 40, 40);
    swatch->setDrawer(thin.get(), false);
    Button* grip = s.add(newButtonWithText(L"#Resizer", 16, 16));
    (void)grip;
    s.box->alignCentre();
    s.show();
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"buttons").empty());
}

}  // namespace
}  // namespace s::gui::win
