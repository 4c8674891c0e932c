// s/gui/win/WindowCursor.h
//
// A top-level window's hold on the cursor: hidden over it (while it follows the cursor or
// when asked), and the following itself, a step towards the cursor every 100 ms while the
// window is shown. Owned by its Window and touched only on its UI thread.
#pragma once
#include <windows.h>

namespace s::gui::win {

class Window;

class WindowCursor {
public:
    explicit WindowCursor(Window& window) : m_window(window) {}
    WindowCursor(const WindowCursor&) = delete;
    WindowCursor& operator=(const WindowCursor&) = delete;

    bool isFollowing() const { return m_follow; }
    bool hidesCursor() const { return m_follow || m_hide; }
    // Following starts at once when the window is shown, else when it is.
    void setFollow(bool on, bool shown);
    void setHide(bool on) { m_hide = on; }
    void start();
    void stop();

    // WM_SETCURSOR: false when the system is to set the cursor.
    bool onSetCursor(LRESULT* result);
    // False for a timer that is not the following's.
    bool onTimer(WPARAM id);
    // The cursor over the tray icon of a window that hides it steps the window too.
    void onTrayMouseMove();

private:
    void step();

    Window& m_window;
    bool m_follow = false;
    bool m_hide = false;
};

}  // namespace s::gui::win
