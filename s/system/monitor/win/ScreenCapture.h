// s/system/monitor/win/ScreenCapture.h
//
// Copies of the screen: an area of the virtual screen, or a window's rectangle, into a new
// pooled opaque image that the caller owns. Any thread. Null when the area lies off the
// virtual screen, the handle is no window, or the screen or the image cannot be had.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::system::monitor::win {

// left, top in virtual-screen coordinates; the area is clipped to the virtual screen.
s::image::win::BufferedImage* captureScreenArea(int32_t left, int32_t top, int32_t width,
                                                int32_t height);
s::image::win::BufferedImage* captureWindow(HWND window);

// The clipping rule alone, on a given virtual screen: false when nothing is left.
bool clipToScreen(const RECT& screen, int32_t* left, int32_t* top, int32_t* width, int32_t* height);

}  // namespace s::system::monitor::win
