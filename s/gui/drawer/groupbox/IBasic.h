// s/gui/drawer/groupbox/IBasic.h
//
// The Basic style of the GroupBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IGroupBox.h"

namespace s::gui::drawer::groupbox {

class IBasic : public s::gui::drawer::IGroupBox {};

}  // namespace s::gui::drawer::groupbox
