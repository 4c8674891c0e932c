// tests/support/gui/ScreenLock.h
//
// ctest runs the GUI tests as parallel processes on one screen. A test that reads pixels
// back from the screen or drives real input holds this lock for its whole run, so that no
// other such test covers its window or takes the keyboard focus meanwhile.
#pragma once
#include <windows.h>

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
