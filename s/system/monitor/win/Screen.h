// s/system/monitor/win/Screen.h
//
// The UI scale factor that multiplies every size of the interface: 1, 2 or 4 by the size of
// the primary screen, computed on the first call and then kept for the run (a resolution
// changed later is not followed). The start-up thread asks first, before any window exists;
// any thread may ask afterwards.
#pragma once
#include <cstdint>

namespace s::system::monitor::win {

// At least 4097 x 3240 pixels, and at least 1921 x 1620 pixels.
bool isScreen8K();
bool isScreen4K();
// 4 on an 8K screen, else 2 on a 4K screen, else 1.
int32_t uiScaleFactor();

// The rules themselves, for a screen of the given size (what the cached calls apply to
// GetSystemMetrics' SM_CXSCREEN and SM_CYSCREEN).
bool isScreen8KSize(int32_t width, int32_t height);
bool isScreen4KSize(int32_t width, int32_t height);
int32_t scaleFactorFor(int32_t width, int32_t height);

}  // namespace s::system::monitor::win
