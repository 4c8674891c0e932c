// s/gui/win/WheelLines.cpp
#include "s/gui/win/WheelLines.h"

namespace s::gui::win {

int32_t wheelLinesOf(WPARAM wheelWParam) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int16_t delta = static_cast<int16_t>(HIWORD(wheelWParam));
    return delta < 0 ? -static_cast<int32_t>(lines) : static_cast<int32_t>(lines);
}

}  // namespace s::gui::win
