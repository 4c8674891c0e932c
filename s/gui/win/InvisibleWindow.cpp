// s/gui/win/InvisibleWindow.cpp
#include "s/gui/win/InvisibleWindow.h"

#include "s/gui/win/WindowClass.h"

namespace s::gui::win {

bool InvisibleWindow::create() {
    // At the default position and size a popup is 0 x 0 at (0, 0) (Wine 8.0, checked).
    if (!CreateEx(0, kWindowClassName, L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return false;
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    return true;
}

LRESULT InvisibleWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && m_owned && ::IsWindow(m_owned)) {
        ::SendMessageW(m_owned, WM_CLOSE, 0, 0);
        return 0;
    }
    return mfc::CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace s::gui::win
