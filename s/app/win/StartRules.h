// s/app/win/StartRules.h
//
// The rules of the program's start that need no running program: which systems it runs
// on, and how long to wait for a window. Apart from the start so that tests feed them.
#pragma once
#include <cstdint>

namespace s::gui { class IWindow; }
namespace s::system::win { struct OsVersion; }

namespace s::app::win {

// NT 5.1, 5.2, or 6.0 and later.
bool isSupportedSystem(const s::system::win::OsVersion& version);
// Waits until the window has been closed: true then; false at once for no window or one
// whose native window could not be made (it would never close), false as soon as its native
// window is gone without a close, false after limitMs.
bool waitUntilWindowClosed(s::gui::IWindow* window, uint32_t limitMs);

}  // namespace s::app::win
