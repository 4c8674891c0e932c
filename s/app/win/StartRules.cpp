// s/app/win/StartRules.cpp
#include "s/app/win/StartRules.h"

#include "s/gui/IWindow.h"
#include "s/system/win/OsVersion.h"

namespace s::app::win {

bool isSupportedSystem(const s::system::win::OsVersion& version) {
    if (!version.isNt) return false;
    if (version.majorVersion >= 6) return true;
    return version.majorVersion == 5 && (version.minorVersion == 1 || version.minorVersion == 2);
}

bool waitUntilWindowClosed(s::gui::IWindow* window, uint32_t limitMs) {
    if (!window) return false;
    if (window->isClosed()) return true;
    if (!window->getHandle()) return false;
    return window->waitUntilClosed(limitMs);
}

}  // namespace s::app::win
