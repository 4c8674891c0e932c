// s/gui/win/WindowTray.cpp
#include "s/gui/win/WindowTray.h"

#include "s/gui/IPopupMenu.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/TrayIcon.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/WindowCursor.h"
#include "s/thread/IPoolable.h"
#include "s/time/Time.h"

namespace s::gui::win {

namespace {

// A tray click this soon after the window lost the activation (the click itself takes it)
// counts as a click on the active window.
constexpr int64_t kToggleMs = 150;

}  // namespace

void WindowTray::setMenu(s::gui::IPopupMenu* menu, bool owned) {
    if (m_menuOwned && m_menu != menu) {
        if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(m_menu)) poolable->releaseToPool();
    }
    m_menu = menu;
    m_menuOwned = menu && owned;
    if (menu) menu->setHost(&m_window);
}

bool WindowTray::notify(DWORD action) {
    const HWND handle = m_window.getHandle();
    NOTIFYICONDATAW data = {};
    data.cbSize = kTrayDataSize;
    data.hWnd = handle;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = reinterpret_cast<HICON>(::SendMessageW(handle, WM_GETICON, ICON_SMALL, 0));
    lstrcpynW(data.szTip, m_window.getTitle(), sizeof(data.szTip) / sizeof(data.szTip[0]));
    const bool done = notifyIcon(action, &data) != FALSE;
    if (action == NIM_ADD && done) m_shown = true;
    if (action == NIM_DELETE) m_shown = false;
    return done;
}

bool WindowTray::setVisible(bool visible) {
    if (visible == m_shown) return true;
    if (!visible && m_locked) return true;
    return notify(visible ? NIM_ADD : NIM_DELETE);
}

void WindowTray::update() {
    if (m_shown) notify(NIM_MODIFY);
}

void WindowTray::noteClose() {
    if (m_closeToTray) m_hidden = true;
}

bool WindowTray::takeSystemClose() {
    if (!m_closeToTray || m_hidden) return false;
    hideWindow();
    return true;
}

void WindowTray::hideWindow() {
    m_window.show(false, false);
    if (!m_shown) setVisible(true);
    m_hidden = true;
}

void WindowTray::bringWindowBack() {
    m_window.show(true, false);
    m_window.SetForegroundWindow();
    m_hidden = false;
    if (m_shown && !m_persistent) notify(NIM_DELETE);
    m_window.ShowWindow(SW_RESTORE);
}

void WindowTray::removeForClose() {
    m_locked = false;
    if (m_shown) notify(NIM_DELETE);
}

void WindowTray::toggleWindow() {
    if (m_hidden) {
        bringWindowBack();
        return;
    }
    const int64_t deactivated = m_window.deactivationTime();
    const int64_t sinceDeactivation = s::time::currentTimeMillis() - deactivated;
    if (m_window.isActive() || (deactivated && sinceDeactivation <= kToggleMs)) {
        hideWindow();
        return;
    }
    m_window.bringToFront(true);
    if (IsIconic(m_window.getHandle())) m_window.ShowWindow(SW_RESTORE);
}

void WindowTray::onCallback(LPARAM mouse) {
    // Queued before the window closed: the icon is gone and nobody waits for its clicks.
    if (m_window.isClosed() || m_window.isTornDown()) return;
    if (mouse == WM_LBUTTONDOWN) {
        if (m_clickToggles) toggleWindow();
        m_window.fire(s::gui::kEventTrayLeftClick);
    } else if (mouse == WM_RBUTTONDOWN && m_menu) {
        m_window.fire(s::gui::kEventTrayRightClick);
        m_window.SetForegroundWindow();
        POINT cursor = {};
        GetCursorPos(&cursor);
        m_menu->track(cursor.x, cursor.y, &m_window);
        m_window.SetForegroundWindow();
    } else if (mouse == WM_MOUSEMOVE) {
        m_window.cursor().onTrayMouseMove();
    }
}

}  // namespace s::gui::win
