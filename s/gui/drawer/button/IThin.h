// s/gui/drawer/button/IThin.h
//
// The Thin style of the Button family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IButton.h"

namespace s::gui::drawer::button {

class IThin : public s::gui::drawer::IButton {};

}  // namespace s::gui::drawer::button
