// tests/s/gui/win/MemDCTest.cpp
#include "s/gui/win/MemDC.h"

#include <gmock/gmock.h>

#include "s/gui/win/BackBuffer.h"
#include "s/image/win/BufferedImage.h"
#include "support/gui/GuiHarness.h"

namespace {

using s::gui::win::BackBuffer;
using s::gui::win::MemDC;
using s::image::win::BufferedImage;

TEST(MemDCTest, TheImageIsSelectedWhileAttachedAndTheOldBitmapComesBack) {
    BufferedImage* image = s::image::win::newBufferedImage(20, 10);
    ASSERT_TRUE(image);
    MemDC* dc = MemDC::createForWindow(nullptr, image, false);
    ASSERT_TRUE(dc);
    EXPECT_EQ(image->getBitmapHandle(), GetCurrentObject(dc->m_hDC, OBJ_BITMAP));
    EXPECT_EQ(image, dc->getImage());
    dc->releaseToPool();
    // Borrowed, the image lives on and is no longer selected anywhere: a new DC takes it.
    MemDC* again = MemDC::createForWindow(nullptr, image, true);
    ASSERT_TRUE(again);
    EXPECT_EQ(image->getBitmapHandle(), GetCurrentObject(again->m_hDC, OBJ_BITMAP));
    again->releaseToPool();  // owned: the image goes back to its pool
}

// A window painted the house way: no erase, one back buffer, one copy.
class BufferedWindow : public s::gui::win::IBufferPainter {
public:
    BufferedWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &BufferedWindow::procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MemDCTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(WS_EX_TOOLWINDOW, L"MemDCTestWindow", L"", WS_POPUP | WS_VISIBLE, 10, 10, 60, 40,
                                 nullptr, nullptr, wc.hInstance, this);
    }
    ~BufferedWindow() {
        if (window) DestroyWindow(window);
    }
    void paintBuffer(HDC dc, int32_t w, int32_t h) override {
        ++paints;
        const RECT all = {0, 0, w, h};
        SetBkColor(dc, RGB(10, 200, 30));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        }
        auto* self = reinterpret_cast<BufferedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_ERASEBKGND) {
            ++self->erases;
            return 1;
        }
        if (self && message == WM_PAINT) {
            self->buffer.paint(hwnd, self);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wp, lp);
    }

    HWND window = nullptr;
    BackBuffer buffer;
    int paints = 0;
    int erases = 0;
};

TEST(MemDCTest, AControlKeepsOneBackBufferWhileItsSizeHoldsAndCopiesItToTheScreen) {
    tests::gui::Watchdog dog("MemDCTest.BackBuffer", 30000);
    BufferedWindow w;
    ASSERT_TRUE(w.window);
    UpdateWindow(w.window);
    BufferedImage* first = w.buffer.image();
    ASSERT_TRUE(first);
    EXPECT_EQ(60, first->getWidth());
    tests::gui::phase("repaint at the same size");
    InvalidateRect(w.window, nullptr, TRUE);
    UpdateWindow(w.window);
    EXPECT_EQ(first, w.buffer.image());
    EXPECT_GE(w.paints, 2);
    HDC screen = GetDC(w.window);
    EXPECT_EQ(RGB(10, 200, 30), GetPixel(screen, 30, 20));
    ReleaseDC(w.window, screen);
    tests::gui::phase("resize");
    SetWindowPos(w.window, nullptr, 0, 0, 80, 30, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(w.window);
    ASSERT_TRUE(w.buffer.image());
    EXPECT_EQ(80, w.buffer.image()->getWidth());
    EXPECT_EQ(30, w.buffer.image()->getHeight());
}

TEST(MemDCTest, AnEmptySizeHasNoBuffer) {
    BackBuffer buffer;
    EXPECT_EQ(nullptr, buffer.ensure(0, 10));
    EXPECT_EQ(nullptr, buffer.ensure(10, -1));
}

}  // namespace
