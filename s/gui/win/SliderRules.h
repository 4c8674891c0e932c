// s/gui/win/SliderRules.h
//
// The slider's arithmetic apart from its window, so that every case is a table row. A zero
// range or a zero-length track never divides: the thumb then sits at the track's start and
// a drag changes nothing.
#pragma once
#include <cstdint>

namespace s::gui::win::sliderrules {

// The thumb's width at scale 1; drawers multiply it by the UI scale.
constexpr int32_t kThumbWidth = 10;

struct Limits {
    int32_t minimum, maximum;
    bool rangeMode;
    int32_t position, upper;
};

// The lower value, in range mode at most upper - 1, and always within minimum..maximum.
int32_t clampPosition(const Limits& limits, int32_t value);
// The upper value, in range mode at least position + 1, and always within minimum..maximum.
int32_t clampUpper(const Limits& limits, int32_t value);
// Both values moved onto a new track: each within minimum..maximum and, in range mode, the
// lower below the upper (the lower gives way first; where it cannot, the upper does).
Limits onTrack(const Limits& limits);
// The left edge of a thumb of thumbWidth showing value on a track of that width.
int32_t thumbX(int32_t trackWidth, int32_t thumbWidth, int32_t minimum, int32_t maximum, int32_t value);
// The value under x on the channel from left to right; false on an empty channel or range.
bool valueAt(int32_t x, int32_t left, int32_t right, int32_t minimum, int32_t maximum,
             int32_t* value);

}  // namespace s::gui::win::sliderrules
