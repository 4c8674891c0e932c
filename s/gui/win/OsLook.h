// s/gui/win/OsLook.h
//
// Whether the system draws in the Vista style (NT 6.0 or later): the default font face and
// the status bar's background follow it. Wine reports 6.1 (Wine 8.0, checked), so the XP
// look can only be shown through the override.
#pragma once
#include <cstdint>

namespace s::gui::win {

bool isVistaLook();
// 1: Vista or later, 0: older, anything else: the probed version again.
void overrideVistaLook(int32_t state);

}  // namespace s::gui::win
