// tests/support/gui/ScreenLock.h
//
// ctest runs the tests as parallel processes. The screen tests take turns on the screen of
// their screen group (see tools/wine-session), the others share the one screen of their
// session. A test that reads pixels back from the screen or drives real input holds this
// lock (one per wineserver, so one per screen) for its whole run, so that no other such
// test covers its window or takes the keyboard focus meanwhile.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tests::gui {

class ScreenLock {
public:
    ScreenLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"tests_gui_ScreenLock")) {
        // An abandoned lock (a test that died holding it) is taken over, not waited for.
        if (m_mutex) WaitForSingleObject(m_mutex, INFINITE);
    }
    ~ScreenLock() {
        if (!m_mutex) return;
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

private:
    HANDLE m_mutex;
};

}  // namespace tests::gui

namespace tests::gui {

// Where the tests that read the screen put their windows: the bottom right of the
// session's 1280 x 1024 screen, away from the other GUI tests' windows near the top left.
constexpr int kQuietCornerX = 900;
constexpr int kQuietCornerY = 640;

// Brings the top-level window to the front and calls giveFocus (which sets the focus to
// `focus` on its own thread) until both hold, so that real input reaches it; false after
// limitMs.
template <class GiveFocus>
bool takeKeyboard(HWND top, HWND focus, GiveFocus giveFocus, uint32_t limitMs) {
    const DWORD thread = GetWindowThreadProcessId(focus, nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetForegroundWindow() == top && GetGUIThreadInfo(thread, &info) &&
            info.hwndFocus == focus)
            return true;
        if (GetTickCount() - start > limitMs) return false;
        SetForegroundWindow(top);
        giveFocus();
        Sleep(20);
    }
}

}  // namespace tests::gui
