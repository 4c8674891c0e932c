// s/gui/win/SliderRules.cpp
#include "s/gui/win/SliderRules.h"

#include <cmath>

namespace s::gui::win::sliderrules {

namespace {

int32_t within(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : value > high ? high : value;
}

}  // namespace

// Where the other thumb leaves no room (it sits at an end), the range still wins: a value
// outside minimum..maximum would be drawn off the track and handed to the listeners.
int32_t clampPosition(const Limits& limits, int32_t value) {
    if (limits.rangeMode && value > limits.upper - 1) value = limits.upper - 1;
    return within(value, limits.minimum, limits.maximum);
}

int32_t clampUpper(const Limits& limits, int32_t value) {
    if (limits.rangeMode && value < limits.position + 1) value = limits.position + 1;
    return within(value, limits.minimum, limits.maximum);
}

Limits onTrack(const Limits& limits) {
    Limits placed = limits;
    placed.position = within(limits.position, limits.minimum, limits.maximum);
    placed.upper = within(limits.upper, limits.minimum, limits.maximum);
    if (!limits.rangeMode || placed.position < placed.upper) return placed;
    if (placed.upper > limits.minimum) {
        placed.position = placed.upper - 1;
    } else {
        placed.position = limits.minimum;
        placed.upper = within(limits.minimum + 1, limits.minimum, limits.maximum);
    }
    return placed;
}

int32_t thumbX(int32_t trackWidth, int32_t thumbWidth, int32_t minimum, int32_t maximum, int32_t value) {
    const int64_t range = static_cast<int64_t>(maximum) - minimum;
    const int64_t room = static_cast<int64_t>(trackWidth) - thumbWidth;
    if (range <= 0 || room <= 0) return 0;
    const int64_t offset = within(value, minimum, maximum) - static_cast<int64_t>(minimum);
    return static_cast<int32_t>(room * offset / range);
}

bool valueAt(int32_t x, int32_t left, int32_t right, int32_t minimum, int32_t maximum,
             int32_t* value) {
    const double length = static_cast<double>(right) - left;
    const double range = static_cast<double>(maximum) - minimum;
    if (length <= 0 || range <= 0) return false;
    const double v = std::round(range * (x - left) / length) + minimum;
    *value = v < minimum ? minimum : v > maximum ? maximum : static_cast<int32_t>(v);
    return true;
}

}  // namespace s::gui::win::sliderrules
