// s/gui/drawer/groupbox/IThin.h
//
// The Thin style of the GroupBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IGroupBox.h"

namespace s::gui::drawer::groupbox {

class IThin : public s::gui::drawer::IGroupBox {};

}  // namespace s::gui::drawer::groupbox
