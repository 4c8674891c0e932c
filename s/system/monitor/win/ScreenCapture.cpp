// s/system/monitor/win/ScreenCapture.cpp
#include "s/system/monitor/win/ScreenCapture.h"

#include "s/image/win/BufferedImage.h"

namespace s::system::monitor::win {

namespace {

RECT virtualScreen() {
    RECT r;
    r.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    r.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return r;
}

// One direction of the clip: the start moves inside, the length is cut at the end. In 64 bits,
// so that a start far outside does not wrap.
bool clipSpan(int64_t low, int64_t high, int32_t* start, int32_t* length) {
    int64_t s = *start, n = *length;
    if (s < low) {
        n -= low - s;
        s = low;
    }
    if (s + n > high) n = high - s;
    if (n <= 0) return false;
    *start = static_cast<int32_t>(s);
    *length = static_cast<int32_t>(n);
    return true;
}

bool blitScreen(HDC screen, s::image::win::BufferedImage* image, int32_t left, int32_t top) {
    HDC memory = CreateCompatibleDC(screen);
    if (!memory) return false;
    HGDIOBJ old = SelectObject(memory, image->getBitmapHandle());
    bool ok = false;
    if (old) {
        ok = BitBlt(memory, 0, 0, image->getWidth(), image->getHeight(), screen, left, top, SRCCOPY) != 0;
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    GdiFlush();
    return ok;
}

}  // namespace

bool clipToScreen(const RECT& screen, int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
    return clipSpan(screen.left, screen.right, left, width) &&
           clipSpan(screen.top, screen.bottom, top, height);
}

s::image::win::BufferedImage* captureScreenArea(int32_t left, int32_t top, int32_t width,
                                                int32_t height) {
    if (!clipToScreen(virtualScreen(), &left, &top, &width, &height)) return nullptr;
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    s::image::win::BufferedImage* image = s::image::win::newBufferedImage(width, height);
    bool ok = image && image->getWidth() == width && blitScreen(screen, image, left, top);
    ReleaseDC(nullptr, screen);
    if (!ok) {
        if (image) image->releaseToPool();
        return nullptr;
    }
    image->makeOpaque();
    return image;
}

s::image::win::BufferedImage* captureWindow(HWND window) {
    RECT r;
    if (!window || !IsWindow(window) || !GetWindowRect(window, &r)) return nullptr;
    return captureScreenArea(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace s::system::monitor::win
