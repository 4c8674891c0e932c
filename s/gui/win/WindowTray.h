// s/gui/win/WindowTray.h
//
// A top-level window's tray icon (its tip the title, its picture the small icon), the menu
// a right click on it opens, and the window's stay in the tray: hidden there by a close
// when it closes to the tray, and back by a click or a restore. Owned by its Window and
// touched only on its UI thread; the readers are plain reads any thread may make. A shell
// that refuses the icon leaves it not shown, and the call answers false.
#pragma once
#include <windows.h>

namespace s::gui {
class IPopupMenu;
}  // namespace s::gui

namespace s::gui::win {

class Window;

class WindowTray {
public:
    explicit WindowTray(Window& window) : m_window(window) {}
    WindowTray(const WindowTray&) = delete;
    WindowTray& operator=(const WindowTray&) = delete;

    bool isShown() const { return m_shown; }
    bool isLocked() const { return m_locked; }
    bool isHidden() const { return m_hidden; }
    // A locked icon stays when it is asked to go; a persistent one when the window comes back.
    void setLocked(bool locked) { m_locked = locked; }
    void setPersistent(bool on) { m_persistent = on; }
    void setCloseToTray(bool on) { m_closeToTray = on; }
    void setClickToggles(bool on) { m_clickToggles = on; }
    // An owned menu is released with the next one or the window.
    void setMenu(s::gui::IPopupMenu* menu, bool owned);
    s::gui::IPopupMenu* menu() const { return m_menu; }

    bool setVisible(bool visible);
    // The tip and the picture again, when the icon is shown.
    void update();
    // The window's close in hand hides it in the tray when it closes to the tray.
    void noteClose();
    // The system's close (the close box, Alt+F4) of a window that closes to the tray, and
    // not hidden there yet, hides it instead; false when the close goes on.
    bool takeSystemClose();
    void hideWindow();
    // Back from the tray: shown in front, the icon gone unless it is persistent.
    void bringWindowBack();
    // The closing window leaves nothing in the tray, locked or not.
    void removeForClose();
    void onCallback(LPARAM mouse);

private:
    bool notify(DWORD action);
    void toggleWindow();

    Window& m_window;
    s::gui::IPopupMenu* m_menu = nullptr;
    bool m_menuOwned = false;
    bool m_shown = false;
    bool m_locked = false;
    bool m_persistent = false;
    bool m_closeToTray = false;
    bool m_hidden = false;
    bool m_clickToggles = false;
};

}  // namespace s::gui::win
