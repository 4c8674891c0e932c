// s/gui/drawer/ISlider.h
//
// Sliders: border, optional colour ramp, level fill and thumb.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer::slider {
struct SliderState;
}  // namespace s::gui::drawer::slider

namespace s::gui::drawer {

class ISlider : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const slider::SliderState& state) = 0;
    // Where draw paints the thumb showing position (the lower or the upper value of the
    // state): what a press has to hit.
    virtual RECT thumbRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const slider::SliderState& state,
                           int32_t position) = 0;
};

}  // namespace s::gui::drawer
