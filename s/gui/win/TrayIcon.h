// s/gui/win/TrayIcon.h
//
// The notification-area call of a Window's tray icon, with the structure size pinned to the
// layout Windows XP's shell knows, where the toolchain's headers give the larger one of
// later systems by default. A seam, so that tests see every call and the structure it
// carried. Any thread; the calls are the Window's, made on its UI thread.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstddef>

namespace s::gui::win {

// NOTIFYICONDATAW up to (not including) the balloon icon that Vista added: 952 bytes in a
// 32-bit build.
constexpr DWORD kTrayDataSize = static_cast<DWORD>(offsetof(NOTIFYICONDATAW, hBalloonIcon));

using NotifyIconFunction = BOOL(WINAPI*)(DWORD action, NOTIFYICONDATAW* data);
// Shell_NotifyIconW unless a test put a recorder in its place; returns the one replaced
// (null restores the system's).
NotifyIconFunction setNotifyIconFunction(NotifyIconFunction function);
BOOL notifyIcon(DWORD action, NOTIFYICONDATAW* data);

}  // namespace s::gui::win
