// s/gui/win/UiScale.cpp
#include "s/gui/win/UiScale.h"

#include "s/system/monitor/win/Screen.h"

namespace s::gui::win {

namespace {
// Set before windows paint, on the painting thread; no lock for a single word.
volatile int32_t g_override = 0;
}  // namespace

int32_t uiScale() {
    int32_t scale = g_override;
    return scale ? scale : s::system::monitor::win::uiScaleFactor();
}

void overrideUiScale(int32_t scale) { g_override = scale == 1 || scale == 2 || scale == 4 ? scale : 0; }

}  // namespace s::gui::win
