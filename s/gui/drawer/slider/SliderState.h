// s/gui/drawer/slider/SliderState.h
//
// What a slider control tells its drawer. Gradient styles: 0 none; 1 a linear blend from
// colour one to colour two; 2, 3, 4 HSV ramps of hue (0 to 359), saturation or value (0 to
// 100) with colour one's and colour two's red components as the two fixed components;
// 5, 6, 7 the same in HSL.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::slider {

struct SliderState {
    bool enabled = true;
    int32_t range = 100;
    int32_t position = 0;
    bool rangeMode = false;  // two thumbs, position and secondPosition
    int32_t secondPosition = 0;
    bool levelFill = false;  // the track filled up to the thumb (between the thumbs)
    int32_t gradientStyle = 0;
    COLORREF colourOne = 0;
    COLORREF colourTwo = 0;
};

}  // namespace s::gui::drawer::slider
