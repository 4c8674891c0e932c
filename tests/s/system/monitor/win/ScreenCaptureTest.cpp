// tests/s/system/monitor/win/ScreenCaptureTest.cpp
//
// The clipping rule on a made-up virtual screen, and a capture of a window of known colours
// under the test session's screen.
#include <gtest/gtest.h>

#include <windows.h>

#include "s/image/win/BufferedImage.h"
#include "s/system/monitor/win/ScreenCapture.h"
#include "support/gui/ScreenLock.h"

namespace {

using s::system::monitor::win::captureScreenArea;
using s::system::monitor::win::captureWindow;
using s::system::monitor::win::clipToScreen;

TEST(ScreenCaptureTest, TheRequestIsClippedToTheVirtualScreen) {
    const RECT screen = {-100, 0, 1820, 1080};  // a second monitor left of the primary one
    struct Row {
        int32_t l, t, w, h;
        bool ok;
        int32_t wantL, wantT, wantW, wantH;
        const char* why;
    } rows[] = {
        {10, 20, 30, 40, true, 10, 20, 30, 40, "inside"},
        {-150, 0, 100, 10, true, -100, 0, 50, 10, "the left edge moves right, the width shrinks"},
        {1800, 1070, 100, 100, true, 1800, 1070, 20, 10, "cut at the right and bottom edges"},
        {-500, 0, 300, 10, false, 0, 0, 0, 0, "entirely left of the virtual screen"},
        {0, 1080, 10, 10, false, 0, 0, 0, 0, "starting at the bottom edge"},
        {0, 0, 0, 10, false, 0, 0, 0, 0, "width 0"},
        {0, 0, 10, -4, false, 0, 0, 0, 0, "negative height"},
        {2147483000, 0, 2147483000, 10, false, 0, 0, 0, 0, "far right: left + width would wrap"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        int32_t l = r.l, t = r.t, w = r.w, h = r.h;
        EXPECT_EQ(r.ok, clipToScreen(screen, &l, &t, &w, &h));
        if (!r.ok) continue;
        EXPECT_EQ(r.wantL, l);
        EXPECT_EQ(r.wantT, t);
        EXPECT_EQ(r.wantW, w);
        EXPECT_EQ(r.wantH, h);
    }
}

LRESULT CALLBACK paintHalves(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, w, l);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    const int half = r.right / 2;
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 40));
    HBRUSH blue = CreateSolidBrush(RGB(10, 60, 220));
    RECT left = {0, 0, half, r.bottom}, right = {half, 0, r.right, r.bottom};
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(window, &ps);
    return 0;
}

TEST(ScreenCaptureTest, AWindowOfKnownColoursIsReadBackExactly) {
    const tests::gui::ScreenLock screen;  // no other test's window over ours while we read
    WNDCLASSW wc = {};
    wc.lpfnWndProc = paintHalves;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ScreenCaptureTestWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40, 30,
                                  60, 20, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    UpdateWindow(window);
    const DWORD until = GetTickCount() + 500;
    MSG msg;
    while (GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    s::image::win::BufferedImage* image = captureWindow(window);
    DestroyWindow(window);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(60, image->getWidth());
    EXPECT_EQ(20, image->getHeight());
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(0xFFC81E28u, image->getRow(0)[0]);
    EXPECT_EQ(0xFFC81E28u, image->getRow(19)[29]);
    EXPECT_EQ(0xFF0A3CDCu, image->getRow(0)[30]);
    EXPECT_EQ(0xFF0A3CDCu, image->getRow(19)[59]);
    image->releaseToPool();
    EXPECT_EQ(nullptr, captureWindow(nullptr));
    EXPECT_EQ(nullptr, captureWindow(window)) << "no longer a window";
    EXPECT_EQ(nullptr, captureScreenArea(-100000, 0, 50, 50));
}

}  // namespace
