// s/gui/drawer/checkbox/IThin.h
//
// The Thin style of the CheckBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/ICheckBox.h"

namespace s::gui::drawer::checkbox {

class IThin : public s::gui::drawer::ICheckBox {};

}  // namespace s::gui::drawer::checkbox
