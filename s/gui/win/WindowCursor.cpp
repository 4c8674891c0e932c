// s/gui/win/WindowCursor.cpp
#include "s/gui/win/WindowCursor.h"

#include "s/gui/win/Window.h"
#include "s/gui/win/WindowTimers.h"

namespace s::gui::win {

namespace {

constexpr UINT kFollowStepMs = 100;

}  // namespace

void WindowCursor::setFollow(bool on, bool shown) {
    m_follow = on;
    if (on && shown)
        start();
    else if (!on)
        stop();
}

// Without a handle there is no timer: a null handle would name one of the thread's own.
void WindowCursor::start() {
    if (HWND handle = m_window.getHandle()) ::SetTimer(handle, kCursorFollowTimer, kFollowStepMs, nullptr);
}

void WindowCursor::stop() {
    if (HWND handle = m_window.getHandle()) ::KillTimer(handle, kCursorFollowTimer);
}

bool WindowCursor::onSetCursor(LRESULT* result) {
    if (!hidesCursor() || !m_window.isVisible()) return false;
    ::SetCursor(nullptr);
    *result = TRUE;
    return true;
}

bool WindowCursor::onTimer(WPARAM id) {
    if (id != kCursorFollowTimer) return false;
    step();
    return true;
}

void WindowCursor::onTrayMouseMove() {
    if (m_hide) step();
}

// Each step covers half the way from the window's centre to the cursor, at least a pixel.
void WindowCursor::step() {
    if (!m_follow || m_window.isTornDown() || !m_window.isVisible()) return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const RECT r = m_window.windowRect();
    const int32_t width = r.right - r.left, height = r.bottom - r.top;
    const int32_t dx = cursor.x - (r.left + width / 2), dy = cursor.y - (r.top + height / 2);
    if (dx == 0 && dy == 0) return;
    auto half = [](int32_t d) { return d / 2 ? d / 2 : d; };
    m_window.setPosition(r.left + half(dx), r.top + half(dy));
}

}  // namespace s::gui::win
