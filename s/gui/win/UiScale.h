// s/gui/win/UiScale.h
//
// The scale every drawer and font multiplies its sizes by (1, 2 or 4), read at each call.
// It is the screen's UI scale factor unless an override is set: the only way to see scale 2
// and 4 on the session's 1280 x 1024 screen, where the screen's factor is fixed for the run.
#pragma once
#include <cstdint>

namespace s::gui::win {

int32_t uiScale();
// 1, 2 or 4 replaces the screen's factor for every later call; anything else removes it.
void overrideUiScale(int32_t scale);

}  // namespace s::gui::win
