// s/gui/win/FrameHitTest.h
//
// Where a point of a drawer-painted window's frame lets the user size it: a border of
// 5 × scale pixels on each edge, the corner codes within 30 × scale pixels of the other
// edge. Points are relative to the window's top-left corner.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::win {

// HTLEFT ... HTBOTTOMRIGHT on the frame, else `inside` (the default answer).
LRESULT frameHitTest(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale, LRESULT inside);

}  // namespace s::gui::win
