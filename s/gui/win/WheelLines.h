// s/gui/win/WheelLines.h
//
// The lines a wheel message scrolls by, as the toolkit's listeners are told them: the
// user's setting (SPI_GETWHEELSCROLLLINES), negative when the wheel turned towards the
// user, whatever the size of the turn.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::win {

int32_t wheelLinesOf(WPARAM wheelWParam);

}  // namespace s::gui::win
