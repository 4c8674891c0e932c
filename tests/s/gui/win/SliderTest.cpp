// tests/s/gui/win/SliderTest.cpp
//
// The track bar made on a Window's UI thread, moved by real keys and, with a slider
// drawer, dragged by real mouse input; every native effect is read back.
#include "s/gui/win/Slider.h"

#include <atomic>
#include <functional>
#include <set>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ScreenLock.h"
#include "support/gui/RealInput.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::eventually;
using tests::gui::phase;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

std::atomic<DWORD> g_trackStyle{0};
std::atomic<UINT> g_trackId{0};

HWND WINAPI recordingCreate(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    if (!IS_INTRESOURCE(className) && lstrcmpiW(className, TRACKBAR_CLASSW) == 0) {
        g_trackStyle = style;
        g_trackId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(menu));
    }
    return CreateWindowExW(exStyle, className, name, style, x, y, width, height, parent, menu,
                           instance, param);
}

void key(WORD virtualKey) {
    INPUT keys[2] = {};
    for (INPUT& k : keys) {
        k.type = INPUT_KEYBOARD;
        k.ki.wVk = virtualKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

using tests::gui::capturedBy;
using tests::gui::mouse;

// Presses the left button at `at` once the track is the window there: a window of a
// parallel test may cover it for a moment.
bool pressOn(HWND track, Window* window, POINT at) {
    const bool uncovered = eventually(
        [&] {
            window->bringToFront(true);
            return WindowFromPoint(at) == track;
        },
        5000);
    mouse(MOUSEEVENTF_MOVE, at.x, at.y);
    mouse(MOUSEEVENTF_LEFTDOWN);
    // Moves made before the press took the mouse would go to the window under the cursor:
    // a busy machine may take a while to get there.
    eventually([&] { return capturedBy(track); }, 1500);
    return uncovered;
}

POINT onScreen(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return p;
}

class SliderTest : public tests::gui::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        screen = std::make_unique<tests::gui::ScreenLock>();
        g_trackStyle = 0;
        mfc::CWnd::setCreateWindowFunction(&recordingCreate);
    }
    void TearDown() override {
        window.reset();
        mfc::CWnd::setCreateWindowFunction(nullptr);
        screen.reset();
        GuiTest::TearDown();
    }
    // A shown window holding the slider at 10,10 (210 x 30).
    void show(Slider* slider) {
        window.reset(new Pooled<Window>(newWindow()));
        (*window)->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 320, 200);
        slider->setBounds(10, 10, 210, 30);
        (*window)->addChild(slider);
        (*window)->show(true, false);
        (*window)->bringToFront(true);
    }
    bool focus(Slider* slider) {
        HWND track = slider->m_hWnd;
        Window* w = window->get();
        return tests::gui::takeKeyboard(
            w->getHandle(), track, [&] { onUiThread(*w, [track] { SetFocus(track); }, kWaitForever); }, 5000);
    }
    std::unique_ptr<tests::gui::ScreenLock> screen;
    std::unique_ptr<Pooled<Window>> window;
};

TEST_F(SliderTest, IsMadeWithItsRangePositionAndSteps) {
    Slider* slider = newSlider();
    EXPECT_EQ(slider->getMinimum(), 0);
    EXPECT_EQ(slider->getMaximum(), 100);
    EXPECT_EQ(slider->getPosition(), 100);
    EXPECT_EQ(slider->getContentTargetWidth(), 50 * uiScale());
    EXPECT_EQ(slider->getContentMinHeight(), 20 * uiScale());
    slider->setPosition(150);
    EXPECT_EQ(slider->getPosition(), 100);
    show(slider);
    HWND track = slider->m_hWnd;
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(g_trackStyle.load(), 0x40000004u | TBS_NOTICKS);
    EXPECT_EQ(g_trackId.load(), 1040u);
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageW(track, TBM_GETPAGESIZE, 0, 0), 100);
    EXPECT_EQ(SendMessageW(track, TBM_GETLINESIZE, 0, 0), 10);
    slider->setPosition(40);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 40);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_native").empty());
}

TEST_F(SliderTest, RangeModeKeepsTheThumbsApart) {
    Slider* slider = newSlider();
    slider->setRangeMode(true);
    slider->setPosition(30);
    slider->setUpper(60);
    slider->setPosition(150);
    EXPECT_EQ(slider->getPosition(), 59);
    slider->setPosition(30);
    slider->setUpper(10);
    EXPECT_EQ(slider->getUpper(), 31);
    slider->setRange(0, 20);  // both thumbs were beyond the new end: the lower stays below
    EXPECT_EQ(slider->getPosition(), 19);
    EXPECT_EQ(slider->getUpper(), 20);
    slider->setRange(50, 150);  // both before the new start: the upper gives way
    EXPECT_EQ(slider->getPosition(), 50);
    EXPECT_EQ(slider->getUpper(), 51);
    slider->releaseToPool();
}

TEST_F(SliderTest, ANarrowerRangeKeepsTheStoredPositionInStepWithTheBar) {
    Slider* slider = newSlider();  // at 100
    Recorder moves;
    slider->addListener(&moves);
    show(slider);
    slider->setRange(0, 40);
    EXPECT_EQ(slider->getPosition(), 40);
    EXPECT_EQ(SendMessageW(slider->m_hWnd, TBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(moves.calls, 0);  // a program's change is not a move
}

TEST_F(SliderTest, KeysMoveTheNativeBarAndEveryMoveIsHeard) {
    Slider* slider = newSlider();
    Recorder moves;
    slider->addListener(&moves);
    slider->setTickFrequency(1);  // page 10, line 1
    slider->setPosition(50);
    show(slider);
    HWND track = slider->m_hWnd;
    struct Step {
        WORD key;
        int32_t expected;
    } steps[] = {
        {VK_UP, 60},    // up moves a page towards the maximum
        {VK_DOWN, 50},  // down a page back
        {VK_RIGHT, 51},
        {VK_LEFT, 50},
    };
    int calls = 0;
    for (const Step& s : steps) {
        phase("key " + std::to_string(s.key));
        // Another test process may take the keyboard between our focus and the key: a key
        // that went elsewhere moved nothing and is pressed again.
        const int32_t before = slider->getPosition();
        for (int attempt = 0; attempt < 5 && slider->getPosition() == before; ++attempt) {
            ASSERT_TRUE(focus(slider));
            key(s.key);
            eventually([&] { return slider->getPosition() != before; }, 1000);
        }
        EXPECT_EQ(slider->getPosition(), s.expected) << s.key;
        EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), s.expected);
        EXPECT_TRUE(eventually([&] { return moves.calls == calls + 1; }, 3000));
        calls = moves.calls;
    }
    EXPECT_EQ(moves.lastCode, ISlider::kChanged);
}

TEST_F(SliderTest, DrawnSliderIsDraggedByTheMouse) {
    Slider* slider = newSlider();
    Recorder moves;
    slider->addListener(&moves);
    slider->setDrawer(s::gui::drawer::slider::win::Thin::obtain(), true);
    slider->setPosition(0);
    show(slider);
    HWND track = slider->m_hWnd;
    RECT channel = {};
    SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    ASSERT_GT(channel.right, channel.left);
    const int y = 15;
    const int middle = (channel.left + channel.right) / 2;
    phase("drag");
    POINT from = onScreen(track, channel.left + 2, y);
    POINT to = onScreen(track, middle, y);
    // A press that another test process's window took moved nothing and is made again.
    bool moved = false;
    for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
        EXPECT_TRUE(pressOn(track, window->get(), from));
        mouse(MOUSEEVENTF_MOVE, to.x, to.y);
        moved = eventually([&] { return slider->getPosition() >= 45; }, 1500);
        if (moved) {
            EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_drawn_dragged").empty());
        }
        mouse(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(moved) << slider->getPosition();
    EXPECT_NEAR(slider->getPosition(), 50, 2);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), slider->getPosition());
    EXPECT_GE(moves.calls, 1);
    EXPECT_EQ(moves.lastCode, ISlider::kChanged);
    phase("released");
    const int32_t after = slider->getPosition();
    POINT end = onScreen(track, channel.right, y);
    mouse(MOUSEEVENTF_MOVE, end.x, end.y);
    EXPECT_EQ(slider->getPosition(), after);  // no drag without the button
}

TEST_F(SliderTest, DrawnSliderWithAnEmptyRangeIgnoresADrag) {
    Slider* slider = newSlider();
    Recorder moves;
    slider->addListener(&moves);
    slider->setDrawer(s::gui::drawer::slider::win::Thin::obtain(), true);
    slider->setRange(5, 5);
    slider->setPosition(5);
    show(slider);
    HWND track = slider->m_hWnd;
    POINT from = onScreen(track, 20, 15), to = onScreen(track, 150, 15);
    mouse(MOUSEEVENTF_MOVE, from.x, from.y);
    mouse(MOUSEEVENTF_LEFTDOWN);
    mouse(MOUSEEVENTF_MOVE, to.x, to.y);
    mouse(MOUSEEVENTF_LEFTUP);
    RedrawWindow(track, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(slider->getPosition(), 5);
    EXPECT_EQ(moves.calls, 0);
    EXPECT_TRUE(IsWindow(track));
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_empty_range").empty());
}

TEST_F(SliderTest, UpperThumbIsDraggedInRangeMode) {
    Slider* slider = newSlider();
    Recorder moves;
    slider->addListener(&moves);
    slider->setDrawer(s::gui::drawer::slider::win::Thin::obtain(), true);
    slider->setRangeMode(true);
    slider->setPosition(10);
    slider->setUpper(90);
    show(slider);
    HWND track = slider->m_hWnd;
    RECT client = {}, channel = {};
    GetClientRect(track, &client);
    SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int upperX = sliderrules::thumbX(client.right, sliderrules::kThumbWidth, 0, 100, 90) + 5;
    POINT from = onScreen(track, upperX, 15);
    POINT to = onScreen(track, (channel.left + channel.right) / 2, 15);
    // A press that another test process's window took moved nothing and is made again.
    bool moved = false;
    for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
        EXPECT_TRUE(pressOn(track, window->get(), from));
        mouse(MOUSEEVENTF_MOVE, to.x, to.y);
        moved = eventually([&] { return slider->getUpper() <= 55; }, 1500);
        if (moved) {
            EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_range_mode").empty());
        }
        mouse(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(moved) << slider->getUpper();
    EXPECT_EQ(slider->getPosition(), 10);
    EXPECT_GE(moves.calls, 1);
}

// The thumbs are hit where the drawer paints them, 10 x scale wide: at scale 2 a press on
// the right half of the lower thumb takes that thumb.
TEST_F(SliderTest, APressOnTheRightHalfOfAScaledThumbTakesIt) {
    struct AtScaleTwo {
        AtScaleTwo() { overrideUiScale(2); }
        ~AtScaleTwo() { overrideUiScale(0); }
    } scale;
    Slider* slider = newSlider();
    slider->setDrawer(s::gui::drawer::slider::win::Thin::obtain(), true);
    slider->setRangeMode(true);
    slider->setPosition(20);
    slider->setUpper(90);
    show(slider);
    HWND track = slider->m_hWnd;
    RECT client = {};
    GetClientRect(track, &client);
    Pooled<s::gui::drawer::slider::win::Thin> painter;
    s::gui::drawer::slider::SliderState state;
    state.range = 100;
    state.position = 20;
    state.secondPosition = 90;
    state.rangeMode = true;
    const RECT thumb = painter->thumbRect(0, 0, client.right, client.bottom, state, 20);
    EXPECT_EQ(20, thumb.right - thumb.left);
    const int32_t x = thumb.left + 15;
    SendMessageW(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, client.bottom / 2));
    SendMessageW(track, WM_LBUTTONUP, 0, MAKELPARAM(x, client.bottom / 2));
    EXPECT_NE(20, slider->getPosition()) << "the press missed the thumb painted under it";
    EXPECT_EQ(90, slider->getUpper());
}

std::vector<COLORREF> rowOf(HWND window, int y, int width) {
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) {
        POINT p = {x, y};
        ClientToScreen(window, &p);
        row.push_back(GetPixel(screen, p.x, p.y));
    }
    ReleaseDC(nullptr, screen);
    return row;
}

TEST_F(SliderTest, ASkinChangeRepaintsWithTheNewSkinsDrawer) {
    Pooled<s::gui::drawer::Skinner> skinner;
    skinner->setFamilyName(L"Thin");
    skinner->registerSchemes();
    ASSERT_TRUE(skinner->selectSkin(L"White"));
    Slider* slider = newSlider();
    slider->setPosition(50);
    slider->followSkinner(skinner.get());
    show(slider);
    HWND track = slider->m_hWnd;
    RedrawWindow(track, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<COLORREF> white = rowOf(track, 15, 210);
    EXPECT_GT(std::set<COLORREF>(white.begin(), white.end()).size(), 1u);  // a drawn bar
    phase("switch the skin");
    ASSERT_TRUE(skinner->selectSkin(L"Black"));
    EXPECT_TRUE(eventually([&] { return rowOf(track, 15, 210) != white; }, 3000));
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_skin_black").empty());
    slider->followSkinner(nullptr);
    EXPECT_EQ(skinner->getListenerCount(), 0u);
}

TEST_F(SliderTest, FollowsTheSkinnerOfTheWindowItIsAttachedTo) {
    Pooled<s::gui::drawer::Skinner> skinner;
    skinner->setFamilyName(L"Thin");
    skinner->registerSchemes();
    ASSERT_TRUE(skinner->selectSkin(L"White"));
    Slider* slider = newSlider();
    slider->setPosition(50);
    window.reset(new Pooled<Window>(newWindow()));
    (*window)->setSkinner(skinner.get());
    EXPECT_TRUE((*window)->hasSkinner());
    const uint32_t withoutSlider = skinner->getListenerCount();  // the window follows it too
    (*window)->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 320, 200);
    slider->setBounds(10, 10, 210, 30);
    (*window)->addChild(slider);
    (*window)->show(true, false);
    (*window)->bringToFront(true);
    HWND track = slider->m_hWnd;
    EXPECT_EQ(skinner->getListenerCount(), withoutSlider + 1);
    RedrawWindow(track, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<COLORREF> white = rowOf(track, 15, 210);
    phase("switch the skin");
    ASSERT_TRUE(skinner->selectSkin(L"Black"));
    EXPECT_TRUE(eventually([&] { return rowOf(track, 15, 210) != white; }, 3000));
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_window_skin").empty());
    phase("detach");
    (*window)->removeChild(slider, true);  // detached and given back
    EXPECT_EQ(skinner->getListenerCount(), withoutSlider);
    window.reset();  // before the skinner goes
}

TEST_F(SliderTest, ThumbLengthAndTicksReachTheBarBeforeAndAfterItIsMade) {
    Slider* slider = newSlider();
    slider->setThumbLength(12);
    slider->showTicks(true);
    slider->setTickFrequency(25);
    show(slider);
    HWND track = slider->m_hWnd;
    EXPECT_EQ(g_trackStyle.load(), 0x40000004u | TBS_AUTOTICKS | TBS_FIXEDLENGTH);
    EXPECT_EQ(SendMessageW(track, TBM_GETTHUMBLENGTH, 0, 0), 12);
    // Ticks every 25 on 0..100: the three between the two ends.
    EXPECT_EQ(SendMessageW(track, TBM_GETNUMTICS, 0, 0), 5);
    EXPECT_EQ(SendMessageW(track, TBM_GETPAGESIZE, 0, 0), 250);
    EXPECT_EQ(SendMessageW(track, TBM_GETLINESIZE, 0, 0), 25);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_ticks").empty());
    slider->setThumbLength(16);
    EXPECT_EQ(SendMessageW(track, TBM_GETTHUMBLENGTH, 0, 0), 16);
    slider->showTicks(false);
    const LONG style = GetWindowLongW(track, GWL_STYLE);
    EXPECT_TRUE(style & TBS_NOTICKS);
    EXPECT_FALSE(style & TBS_AUTOTICKS);
}

TEST_F(SliderTest, AWheelOutsideTheBarGoesToTheWindow) {
    Slider* slider = newSlider();
    slider->setTickFrequency(1);
    slider->setPosition(50);
    show(slider);
    Recorder wheels;
    (*window)->addWheelListener(&wheels);
    HWND track = slider->m_hWnd;
    RECT bar = {};
    GetWindowRect(track, &bar);
    const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    // Over the bar the wheel is the bar's own: Wine 8.0's track bar has no wheel handling,
    // and its default procedure hands the wheel to the parent, so only the case beside
    // the bar is the slider's doing.
    phase("beside the bar");
    const int32_t before = slider->getPosition();
    SendMessageW(track, WM_MOUSEWHEEL, down, MAKELPARAM(bar.right + 40, bar.bottom + 40));
    EXPECT_EQ(wheels.calls, 1);
    EXPECT_EQ(wheels.lastSource, static_cast<void*>(static_cast<s::gui::IWindow*>(window->get())));
    EXPECT_EQ(slider->getPosition(), before);  // the bar did not take it
}

TEST_F(SliderTest, KeysMoveADrawnSliderWithinItsUpperThumb) {
    Slider* slider = newSlider();
    Recorder moves;
    slider->addListener(&moves);
    slider->setDrawer(s::gui::drawer::slider::win::Thin::obtain(), true);
    slider->setTickFrequency(1);  // page 10, line 1
    slider->setRangeMode(true);
    slider->setPosition(50);
    slider->setUpper(55);
    show(slider);
    HWND track = slider->m_hWnd;
    struct Step {
        WORD key;
        int32_t expected;
    } steps[] = {
        {VK_RIGHT, 51},
        {VK_UP, 54},  // a page up would pass the upper thumb at 55
        {VK_LEFT, 53},
    };
    int calls = 0;
    for (const Step& s : steps) {
        phase("key " + std::to_string(s.key));
        const int32_t before = slider->getPosition();
        for (int attempt = 0; attempt < 5 && slider->getPosition() == before; ++attempt) {
            ASSERT_TRUE(focus(slider));
            key(s.key);
            eventually([&] { return slider->getPosition() != before; }, 1000);
        }
        EXPECT_EQ(slider->getPosition(), s.expected) << s.key;
        EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), s.expected);
        EXPECT_EQ(moves.calls, calls + 1);
        calls = moves.calls;
    }
    EXPECT_EQ(slider->getUpper(), 55);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"slider_drawn_keys").empty());
}

}  // namespace
}  // namespace s::gui::win
