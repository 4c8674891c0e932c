// s/system/monitor/win/Monitors.h
//
// The process's list of display monitors, enumerated once on first use and never refreshed
// (a monitor attached later is not seen), and the primary work area, asked afresh each
// time. Any thread may call; the list is filled under its own lock. The monitors belong to
// the list: callers never release them.
#pragma once
#include <cstdint>

namespace s::system::monitor::win {

class Monitor;

uint32_t monitorCount();
// The listed monitor that the system names for the rectangle (the nearest one when the
// rectangle lies on none); null when the list is empty or does not hold that monitor.
Monitor* monitorFromRect(int32_t left, int32_t top, int32_t width, int32_t height);

// The primary monitor's work area (SPI_GETWORKAREA); 0 when the system does not answer.
int32_t workAreaLeft();
int32_t workAreaTop();
int32_t workAreaWidth();
int32_t workAreaHeight();

}  // namespace s::system::monitor::win
