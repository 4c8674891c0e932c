// s/gui/drawer/slider/ColourRamps.h
//
// Colour conversions of the slider's colour ramps, to red, green and blue of 0 to 255.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::slider {

// Hue in degrees (six 60-degree sectors), saturation and value in percent.
COLORREF hsvToRgb(int32_t hue, int32_t saturation, int32_t value);
// Hue 0 to 360, saturation and lightness in percent.
COLORREF hslToRgb(int32_t hue, int32_t saturation, int32_t lightness);

}  // namespace s::gui::drawer::slider
