// s/gui/win/TrayIcon.cpp
#include "s/gui/win/TrayIcon.h"

#include <atomic>

namespace s::gui::win {

static_assert(sizeof(void*) != 4 || kTrayDataSize == 952, "the structure XP's shell takes");

namespace {
std::atomic<NotifyIconFunction> g_notify{nullptr};
}  // namespace

NotifyIconFunction setNotifyIconFunction(NotifyIconFunction function) {
    return g_notify.exchange(function);
}

BOOL notifyIcon(DWORD action, NOTIFYICONDATAW* data) {
    NotifyIconFunction function = g_notify.load();
    return function ? function(action, data) : Shell_NotifyIconW(action, data);
}

}  // namespace s::gui::win
