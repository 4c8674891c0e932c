// s/gui/Geometry.h
//
// The size and placement rules that every component shares, as pure functions of its
// stored values, so that they can be checked without a window. -1 means "not set" for a
// fixed size and a percentage.
#pragma once
#include <cstdint>

namespace s::gui {

// Minimum outer size: 0 when collapsed, else the fixed size, else minimum + margins.
int32_t minimumSize(bool collapsed, int32_t fixed, int32_t minimum, int32_t margins);
// Target outer size: the fixed size, else the percentage of the parent's inner size
// (integer division; only with a parent, parentInner >= 0), else margins + the larger of
// minimum and target.
int32_t targetSize(int32_t fixed, int32_t percent, int32_t parentInner, int32_t minimum,
                   int32_t target, int32_t margins);
// The value held between a minimum and a target that acts as the maximum; the minimum wins
// when the two cross.
int32_t withinLimits(int32_t value, int32_t minimum, int32_t target);
// Offset that centres an extent in a parent's inner extent; 0 unless it is smaller.
int32_t centredOffset(int32_t parentInner, int32_t own);
// Inclusive on all four sides: the right and bottom edges count too.
bool containsInclusive(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x,
                       int32_t y);
// One channel of the "light" background, half-way from the given channel to white.
uint8_t lightChannel(uint8_t channel);

// Top-level windows on the virtual screen (left, top, width, height of each rectangle).
struct Rect {
    int32_t left, top, width, height;
};
// At least 10 pixels (counted as 9 inside, exclusive) on each axis lie on the screen; a
// window 10 pixels or less wide or high is never on screen.
bool isOnScreen(const Rect& window, const Rect& screen);
// Pushed back inside past the right and bottom edges, then left and top clamped to the
// screen's origin.
Rect movedOntoScreen(const Rect& window, const Rect& screen);
// Centred in the work area, never above or left of its origin.
Rect centredInWorkArea(const Rect& window, const Rect& workArea);

}  // namespace s::gui
