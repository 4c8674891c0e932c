// s/gui/Geometry.cpp
#include "s/gui/Geometry.h"

namespace s::gui {

int32_t minimumSize(bool collapsed, int32_t fixed, int32_t minimum, int32_t margins) {
    if (collapsed) return 0;
    return fixed >= 0 ? fixed : minimum + margins;
}

int32_t targetSize(int32_t fixed, int32_t percent, int32_t parentInner, int32_t minimum,
                   int32_t target, int32_t margins) {
    if (fixed >= 0) return fixed;
    if (percent >= 0 && parentInner >= 0) return parentInner * percent / 100;
    return margins + (minimum > target ? minimum : target);
}

int32_t withinLimits(int32_t value, int32_t minimum, int32_t target) {
    if (value > target) value = target;
    return value < minimum ? minimum : value;
}

int32_t centredOffset(int32_t parentInner, int32_t own) {
    return own < parentInner ? (parentInner - own) >> 1 : 0;
}

bool containsInclusive(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x,
                       int32_t y) {
    return x >= left && x <= left + width && y >= top && y <= top + height;
}

uint8_t lightChannel(uint8_t channel) { return static_cast<uint8_t>(255 - (255 - channel) / 2); }

namespace {

// Pixels of [start, start + length) that lie inside [lo, lo + span).
int32_t overlap(int32_t start, int32_t length, int32_t lo, int32_t span) {
    int32_t a = start > lo ? start : lo;
    int32_t b = start + length < lo + span ? start + length : lo + span;
    return b > a ? b - a : 0;
}

}  // namespace

bool isOnScreen(const Rect& window, const Rect& screen) {
    if (window.width <= 10 || window.height <= 10) return false;
    return overlap(window.left, window.width, screen.left, screen.width) > 9 &&
           overlap(window.top, window.height, screen.top, screen.height) > 9;
}

Rect movedOntoScreen(const Rect& window, const Rect& screen) {
    Rect moved = window;
    if (moved.left + moved.width > screen.left + screen.width)
        moved.left = screen.left + screen.width - moved.width;
    if (moved.top + moved.height > screen.top + screen.height)
        moved.top = screen.top + screen.height - moved.height;
    if (moved.left < screen.left) moved.left = screen.left;
    if (moved.top < screen.top) moved.top = screen.top;
    return moved;
}

Rect centredInWorkArea(const Rect& window, const Rect& workArea) {
    Rect centred = window;
    centred.left = workArea.left + (workArea.width - window.width) / 2;
    centred.top = workArea.top + (workArea.height - window.height) / 2;
    if (centred.left < workArea.left) centred.left = workArea.left;
    if (centred.top < workArea.top) centred.top = workArea.top;
    return centred;
}

}  // namespace s::gui
