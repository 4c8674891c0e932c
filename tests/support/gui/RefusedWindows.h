// tests/support/gui/RefusedWindows.h
//
// A window-creation function for mfc::CWnd::setCreateWindowFunction that refuses every
// top-level window of the toolkit's class (the visible window and its hidden owner), as a
// system out of window memory would, and makes every other window as usual.
#pragma once
#include <windows.h>

#include <cwchar>

#include "s/gui/win/WindowClass.h"

namespace tests::gui {

inline HWND WINAPI refuseToolkitTopWindows(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style,
                                           int x, int y, int w, int h, HWND parent, HMENU menu,
                                           HINSTANCE instance, LPVOID param) {
    const bool ours = className && !IS_INTRESOURCE(className) &&
                      wcscmp(className, s::gui::win::kWindowClassName) == 0 && !(style & WS_CHILD);
    if (ours) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, menu, instance, param);
}

}  // namespace tests::gui
