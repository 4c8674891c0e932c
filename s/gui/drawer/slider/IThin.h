// s/gui/drawer/slider/IThin.h
//
// The Thin style of the Slider family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/ISlider.h"

namespace s::gui::drawer::slider {

class IThin : public s::gui::drawer::ISlider {};

}  // namespace s::gui::drawer::slider
