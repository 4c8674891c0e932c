// tests/support/gui/RealInput.h
//
// Mouse input through the system's input queue (SendInput), as a user's hand gives it, and
// what the tests read back about it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tests::gui {

// One mouse event: with MOUSEEVENTF_MOVE a move to the screen pixel x, y (absolute), else the
// button flags alone; a short pause lets the window's thread take it.
inline void mouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = (x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = (y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &in, sizeof(INPUT));
    Sleep(30);
}

// The pointer is put there (SetCursorPos), then moved there by input. Input alone leaves the
// X pointer behind, and the next motion it reports puts the cursor back; a relative move after
// the jump may be counted from where the X pointer was before it (Wine 8.0).
inline void moveCursorTo(int32_t x, int32_t y) {
    SetCursorPos(x, y);
    const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

// One key down or up through the input queue, as the keyboard gives it.
inline void keyEvent(WORD key, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(40);
}

// A key pressed and released, with a modifier held (0 for none).
inline void typeKey(WORD key, WORD modifier = 0) {
    if (modifier) keyEvent(modifier, false);
    keyEvent(key, false);
    keyEvent(key, true);
    if (modifier) keyEvent(modifier, true);
    Sleep(60);
}

// Whether the window's thread has given it the mouse.
inline bool capturedBy(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndCapture == window;
}

}  // namespace tests::gui
