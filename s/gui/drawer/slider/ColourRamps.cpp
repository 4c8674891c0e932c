// s/gui/drawer/slider/ColourRamps.cpp
#include "s/gui/drawer/slider/ColourRamps.h"

#include <cmath>

namespace s::gui::drawer::slider {

namespace {

int32_t clampPercent(int32_t v) { return v < 0 ? 0 : v > 100 ? 100 : v; }
int32_t wrapHue(int32_t h) { return ((h % 360) + 360) % 360; }
int32_t byte(double v) {
    const int32_t b = static_cast<int32_t>(std::lround(v * 255.0));
    return b < 0 ? 0 : b > 255 ? 255 : b;
}

// Red, green, blue of a chroma c spread over the hue's sector, plus m.
COLORREF fromChroma(int32_t hue, double c, double m) {
    const double h = hue / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int32_t>(h)) {
        case 0: r = c, g = x; break;
        case 1: r = x, g = c; break;
        case 2: g = c, b = x; break;
        case 3: g = x, b = c; break;
        case 4: r = x, b = c; break;
        default: r = c, b = x; break;
    }
    return RGB(byte(r + m), byte(g + m), byte(b + m));
}

}  // namespace

COLORREF hsvToRgb(int32_t hue, int32_t saturation, int32_t value) {
    const double s = clampPercent(saturation) / 100.0, v = clampPercent(value) / 100.0;
    const double c = v * s;
    return fromChroma(wrapHue(hue), c, v - c);
}

COLORREF hslToRgb(int32_t hue, int32_t saturation, int32_t lightness) {
    const double s = clampPercent(saturation) / 100.0, l = clampPercent(lightness) / 100.0;
    const double c = (1.0 - std::fabs(2.0 * l - 1.0)) * s;
    return fromChroma(wrapHue(hue), c, l - c / 2.0);
}

}  // namespace s::gui::drawer::slider
