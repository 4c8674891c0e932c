// s/gui/drawer/scrollbar/ScrollBarState.h
//
// What a scroll bar control tells its drawer, and the bar's geometry worked out from it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::scrollbar {

struct ScrollBarState {
    bool vertical = true;
    int32_t range = 0;
    int32_t page = 0;
    int32_t position = 0;
    bool otherBarShown = false;  // the corner box of both bars is cut from this one's end
    bool enabled = true;
};

// Parts in hit-test order: first arrow, page before the thumb, thumb, page after it, last
// arrow; and the corner box.
struct ScrollBarGeometry {
    enum Part { kFirstArrow, kPageBefore, kThumb, kPageAfter, kLastArrow, kCorner, kPartCount };
    RECT parts[kPartCount] = {};
    bool hasThumb = false;
    int32_t track = 0;  // the length between the arrows
    int32_t thumb = 0;  // the thumb's length (0 without one)
};

// The minimum thumb is 11 pixels, but never longer than the track itself.
ScrollBarGeometry scrollBarGeometry(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                    const ScrollBarState& state, int32_t thickness);
int32_t scrollBarHitTest(const ScrollBarGeometry& geometry, int32_t x, int32_t y);
int32_t scrollBarPositionFromDrag(const ScrollBarGeometry& geometry, const ScrollBarState& state,
                                  int32_t offset);

}  // namespace s::gui::drawer::scrollbar
