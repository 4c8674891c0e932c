// s/gui/drawer/radiobutton/IThin.h
//
// The Thin style of the RadioButton family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IRadioButton.h"

namespace s::gui::drawer::radiobutton {

class IThin : public s::gui::drawer::IRadioButton {};

}  // namespace s::gui::drawer::radiobutton
