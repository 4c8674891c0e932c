// s/gui/win/NativeButtonPaint.h
//
// The messages after which a native button control (push, check or radio) has painted its own
// face over the drawer's: a drawn button repaints after each, or the native face flashes through.
#pragma once
#include <windows.h>

namespace s::gui::win {

inline bool nativeButtonRepaints(UINT message) {
    switch (message) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
        return true;
    default:
        return false;
    }
}

}  // namespace s::gui::win
