// tests/s/gui/win/WindowFrameTest.cpp
//
// A Window whose frame a drawer paints: the native frame goes, the borders answer the
// hit-test at UI scale 1 and 2, the real mouse sizes the window by its left border, and the
// skinner and the settings give it its drawer and icons.
#include "s/gui/win/Window.h"

#include <gmock/gmock.h>

#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/win/UiScale.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/system/monitor/win/ScreenCapture.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/RealInput.h"

namespace s::gui::win {
namespace {

using s::gui::drawer::window::win::Thin;
using tests::Pooled;
using tests::gui::eventually;
using tests::gui::Recorder;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

class WindowFrameTest : public tests::gui::GuiTest {
protected:
    void TearDown() override {
        overrideUiScale(0);
        GuiTest::TearDown();
    }
    // A grey-framed window of 300 x 200 at (x, y) with a white background drawn.
    Window* framedWindow(int32_t x, int32_t y) {
        Window* window = newWindow();
        Thin* drawer = Thin::obtain();
        drawer->setBackgroundColour(255, 255, 255);
        drawer->setFrameColour(0, 0, 200);
        window->setDrawer(drawer, true);
        window->setBounds(x, y, 300, 200);
        return window;
    }
};

LRESULT hitAt(HWND window, int32_t x, int32_t y) {
    RECT r = {};
    GetWindowRect(window, &r);
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

TEST_F(WindowFrameTest, TheDrawerReplacesTheNativeFrameAndShapesTheWindow) {
    Pooled<Window> window(framedWindow(200, 150));
    HWND handle = window->getHandle();
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // The drawer paints inside: the client area is the whole window.
    EXPECT_EQ(300, window->getInnerWidth());
    EXPECT_EQ(200, window->getInnerHeight());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, GetWindowRgn(handle, region));
    RECT box = {};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(300, box.right - box.left);
    EXPECT_EQ(200, box.bottom - box.top);
    window->show(true, true);
    UpdateWindow(handle);
    Sleep(100);
    HDC screen = GetDC(nullptr);
    const COLORREF frame = GetPixel(screen, 200, 150 + 100);
    const COLORREF inside = GetPixel(screen, 200 + 150, 150 + 100);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(RGB(0, 0, 200), frame);
    EXPECT_EQ(RGB(255, 255, 255), inside);
    EXPECT_FALSE(tests::gui::saveScreenshot(handle, L"window_drawer_frame").empty());
    // Without the drawer the window paints as before and has no shape of its own.
    window->setDrawer(nullptr, false);
    EXPECT_EQ(nullptr, window->getDrawer());
    region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(handle, region));
    DeleteObject(region);
}

// Border 5 x scale, corners 30 x scale, at points of a 300 x 200 window.
TEST_F(WindowFrameTest, TheBordersAnswerTheHitTestByScale) {
    Pooled<Window> window(framedWindow(200, 150));
    HWND handle = window->getHandle();
    struct Case {
        int32_t scale, x, y;
        LRESULT expected;
    };
    const Case cases[] = {
        {1, 150, 100, HTCLIENT},     {1, 2, 100, HTLEFT},         {1, 297, 100, HTRIGHT},
        {1, 150, 2, HTTOP},          {1, 150, 198, HTBOTTOM},     {1, 2, 2, HTTOPLEFT},
        {1, 297, 2, HTTOPRIGHT},     {1, 2, 198, HTBOTTOMLEFT},   {1, 297, 198, HTBOTTOMRIGHT},
        {1, 7, 100, HTCLIENT},       {1, 2, 40, HTLEFT},          {1, 40, 2, HTTOP},
        {2, 7, 100, HTLEFT},         {2, 2, 40, HTTOPLEFT},       {2, 40, 2, HTTOPLEFT},
        {2, 150, 192, HTBOTTOM},     {2, 250, 195, HTBOTTOMRIGHT}, {2, 12, 100, HTCLIENT},
    };
    for (const Case& c : cases) {
        overrideUiScale(c.scale);
        EXPECT_EQ(c.expected, hitAt(handle, c.x, c.y)) << "scale " << c.scale << " at " << c.x << ", " << c.y;
    }
    // Easy drag moves the window by its inside; the borders still size it.
    overrideUiScale(1);
    window->setEasyDrag(true);
    EXPECT_EQ(HTCAPTION, hitAt(handle, 150, 100));
    EXPECT_EQ(HTLEFT, hitAt(handle, 2, 100));
}

using tests::gui::moveCursorTo;

void mouseButton(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(input));
}

HWND captureOf(DWORD thread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

// By real input: over the left border the window takes the mouse, the press and a move
// to the left widen it, and the sizing listeners hear which edge it was.
TEST_F(WindowFrameTest, TheRealMouseSizesTheWindowByItsLeftBorder) {
    Pooled<Window> window(framedWindow(400, 300));
    HWND handle = window->getHandle();
    Recorder sizing;
    bool leftEdge = false;
    sizing.action = [&] { leftEdge = window->isSizingLeft(); };
    window->addSizingListener(&sizing);
    window->show(true, true);
    moveCursorTo(402, 400);
    ASSERT_TRUE(eventually([&] { return captureOf(window->uiThreadId()) == handle; }, 5000))
        << "hit " << hitAt(handle, 2, 100) << " at " << window->getX() << ", " << window->getY() << " window under "
        << (WindowFromPoint(POINT{402, 400}) == handle);
    Sleep(50);
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    // The X server may still report a motion from before: the move is made again until the
    // window follows.
    const bool widened = eventually(
        [&] {
            moveCursorTo(372, 400);
            Sleep(20);
            return window->getWidth() == 330;
        },
        5000);
    mouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(widened) << window->getWidth();
    EXPECT_EQ(370, window->getX());
    EXPECT_EQ(200, window->getHeight());
    EXPECT_GE(sizing.calls.load(), 1);
    EXPECT_TRUE(leftEdge);
    EXPECT_EQ(370, window->getSizingLeft());
    // Away from the frame the window lets the mouse go.
    moveCursorTo(550, 400);
    EXPECT_TRUE(eventually([&] { return captureOf(window->uiThreadId()) == nullptr; }, 5000));
    // Not resizable: the border leaves the mouse alone.
    window->setResizable(false);
    moveCursorTo(372, 400);
    Sleep(200);
    EXPECT_EQ(nullptr, captureOf(window->uiThreadId()));
}

TEST_F(WindowFrameTest, TheSkinnerGivesTheWindowItsDrawerAndFollowsTheSkin) {
    s::gui::drawer::Skinner* skinner = s::gui::drawer::newSkinnerThinWindow();
    ASSERT_NE(nullptr, skinner);
    ASSERT_GE(skinner->getSkinCount(), 2u);
    skinner->selectSkin(skinner->getSkin(0)->getName());
    {
        Pooled<Window> window(newWindow());
        tests::gui::FakeSettings settings;
        settings.givenSkinner = skinner;
        window->applySettings(&settings, false);
        EXPECT_EQ(skinner, window->getSkinner());
        EXPECT_EQ(skinner->getSkin(0)->getWindowDrawer(), window->getDrawer());
        EXPECT_TRUE(GetWindowLongW(window->getHandle(), GWL_STYLE) & WS_POPUP);
        skinner->selectSkin(skinner->getSkin(1)->getName());
        EXPECT_EQ(skinner->getSkin(1)->getWindowDrawer(), window->getDrawer());
        EXPECT_EQ(1u, skinner->getListenerCount());
    }
    // A window that goes leaves the skinner's listeners.
    EXPECT_EQ(0u, skinner->getListenerCount());
    skinner->releaseToPool();
}

// Scale 1 takes the first two sizes of the set, scale 2 the second and third.
TEST_F(WindowFrameTest, TheSettingsIconsArePickedByScaleAndReachTheNativeWindow) {
    s::image::win::BufferedImageSet* icons = s::image::win::newImageSetOf(s::image::win::newBufferedImage(16, 16));
    ASSERT_NE(nullptr, icons);
    icons->addImage(s::image::win::newBufferedImage(32, 32));
    icons->addImage(s::image::win::newBufferedImage(48, 48));
    for (int32_t i = 0; i < icons->getCount(); ++i) icons->getImage(i)->fill(255, 200, 0, 0);
    tests::gui::FakeSettings settings;
    settings.givenIcons = icons;
    {
        Pooled<Window> window(newWindow());
        overrideUiScale(1);
        window->applySettings(&settings, false);
        EXPECT_EQ(icons->getImage(1), window->getLargeIcon());  // 32: the larger of the pair
        EXPECT_EQ(icons->getImage(0), window->getSmallIcon());
        HWND handle = window->getHandle();
        EXPECT_EQ(window->getLargeIconHandle(),
                  reinterpret_cast<HICON>(SendMessageW(handle, WM_GETICON, ICON_BIG, 0)));
        EXPECT_EQ(window->getSmallIconHandle(),
                  reinterpret_cast<HICON>(SendMessageW(handle, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_NE(nullptr, window->getSmallIconHandle());
        overrideUiScale(2);
        window->applySettings(&settings, false);
        EXPECT_EQ(icons->getImage(2), window->getLargeIcon());
        EXPECT_EQ(icons->getImage(1), window->getSmallIcon());
    }
    // The set's pictures were lent, not given: they are still whole.
    EXPECT_EQ(48, icons->getImage(2)->getWidth());
    icons->releaseToPool();
}

// The window beneath the corner is captured, not the window itself nor one elsewhere.
TEST_F(WindowFrameTest, TheWindowBeneathTheCornerIsCaptured) {
    Pooled<Window> below(framedWindow(600, 500));
    Pooled<Window> above(newWindow());
    Pooled<Window> aside(newWindow());
    aside->setBounds(100, 100, 120, 80);
    aside->show(true, false);
    below->show(true, true);
    above->setBounds(650, 550, 160, 90);
    above->show(true, true);
    // The z-order of windows of other threads settles a little after they are shown.
    s::image::win::BufferedImage* picture = nullptr;
    eventually([&] { return (picture = above->captureUnderCorner()) != nullptr; }, 3000);
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(300, picture->getWidth());
    EXPECT_EQ(200, picture->getHeight());
    picture->releaseToPool();
    // Nothing of ours beneath a corner out in the open.
    above->setPosition(1000, 50);
    if (s::image::win::BufferedImage* other = above->captureUnderCorner()) {
        EXPECT_NE(300, other->getWidth());
        other->releaseToPool();
    }
}

}  // namespace
}  // namespace s::gui::win
