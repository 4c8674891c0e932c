// s/gui/win/WindowClass.cpp
#include "s/gui/win/WindowClass.h"

#include <mutex>

#include "s/gui/win/Messages.h"

namespace s::gui::win {

namespace {

std::mutex g_registration;
bool g_registered = false;

struct Reflection {
    int code;
    UINT message;
    bool answered;
};

const Reflection kCommands[] = {
    {0, WM_APP + 0x04, false},      // BN_CLICKED
    {1, WM_APP + 0x0A, false},      // CBN_SELCHANGE
    {5, WM_APP + 0x05, false},      // BN_DOUBLECLICKED
    {7, WM_APP + 0x0F, false},      // CBN_DROPDOWN
    {8, WM_APP + 0x10, false},      // CBN_CLOSEUP
    {0x200, WM_APP + 0x15, false},  // EN_KILLFOCUS
    {0x300, WM_APP + 0x0C, false},  // EN_CHANGE
};

const Reflection kNotifies[] = {
    {-101, WM_APP + 0x06, false}, {-115, WM_APP + 0x07, false}, {-109, WM_APP + 0x08, false},
    {-176, WM_APP + 0x09, true},  {-551, WM_APP + 0x0B, true},  {-108, WM_APP + 0x0D, true},
    {-12, WM_APP + 0x0E, true},   {-310, WM_APP + 0x11, true},  {-311, WM_APP + 0x12, true},
    {-100, WM_APP + 0x13, true},
};

bool isControlColour(UINT message) {
    return message == 0x19 || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

// The menu's own window data, when it names a window.
HWND menuDataWindow(HMENU menu) {
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    if (!menu || !GetMenuInfo(menu, &info)) return nullptr;
    auto window = reinterpret_cast<HWND>(info.dwMenuData);
    return window && IsWindow(window) ? window : nullptr;
}

}  // namespace

UINT reflectedCommand(UINT notifyCode) {
    for (const Reflection& r : kCommands)
        if (static_cast<UINT>(r.code) == notifyCode) return r.message;
    return 0;
}

UINT reflectedNotify(int notifyCode, bool* answered) {
    for (const Reflection& r : kNotifies) {
        if (r.code != notifyCode) continue;
        *answered = r.answered;
        return r.message;
    }
    *answered = false;
    return 0;
}

bool registerWindowClass() {
    std::lock_guard<std::mutex> lock(g_registration);
    if (g_registered) return true;
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.style = CS_GLOBALCLASS;
    type.lpfnWndProc = &messageWindowProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kWindowClassName;
    g_registered = RegisterClassExW(&type) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return g_registered;
}

LRESULT CALLBACK messageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isControlColour(message) && lParam)
        return SendMessageW(reinterpret_cast<HWND>(lParam), kReflectColour, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            UINT reflected = reflectedCommand(HIWORD(wParam));
            if (!reflected) break;
            SendMessageW(reinterpret_cast<HWND>(lParam), reflected, wParam, lParam);
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        bool answered = false;
        UINT reflected = header ? reflectedNotify(static_cast<int>(header->code), &answered) : 0;
        if (!reflected) break;
        LRESULT answer = SendMessageW(header->hwndFrom, reflected, wParam, lParam);
        return answered ? answer : 0;
    }
    case WM_HSCROLL:
        if (lParam) return SendMessageW(reinterpret_cast<HWND>(lParam), message, wParam, lParam);
        break;
    case WM_SETCURSOR:
        if (DefWindowProcW(window, message, wParam, lParam)) return TRUE;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    case WM_INITMENU:
    case WM_LBUTTONDOWN:
        SendMessageW(window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
        break;
    case WM_INITMENUPOPUP:
        if (HWND target = menuDataWindow(reinterpret_cast<HMENU>(wParam)); target && target != window)
            return SendMessageW(target, message, wParam, lParam);
        break;
    case kCloseInvisible:
        return DefWindowProcW(window, WM_CLOSE, 0, 0);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace s::gui::win
