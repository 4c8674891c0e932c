// s/app/win/StartRules.cpp
#include "s/app/win/StartRules.h"

#include <windows.h>

#include "s/gui/IWindow.h"
#include "s/system/win/OsVersion.h"

namespace s::app::win {

bool isSupportedSystem(const s::system::win::OsVersion& version) {
    if (!version.isNt) return false;
    if (version.majorVersion >= 6) return true;
    return version.majorVersion == 5 && (version.minorVersion == 1 || version.minorVersion == 2);
}

// In slices, so that a window whose native window goes away without being closed (its UI
// thread ended, or something destroyed it) ends the wait instead of holding the program.
bool waitUntilWindowClosed(s::gui::IWindow* window, uint32_t limitMs) {
    constexpr uint32_t kSliceMs = 50;
    if (!window) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        if (window->isClosed()) return true;
        if (!IsWindow(window->getHandle())) return window->isClosed();
        const DWORD elapsed = GetTickCount() - start;
        if (limitMs != INFINITE && elapsed >= limitMs) return window->isClosed();
        const uint32_t left = limitMs == INFINITE ? kSliceMs : limitMs - elapsed;
        window->waitUntilClosed(left < kSliceMs ? left : kSliceMs);
    }
}

}  // namespace s::app::win
