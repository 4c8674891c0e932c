// s/gui/drawer/tabbox/IThin.h
//
// The Thin style of the TabBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/ITabBox.h"

namespace s::gui::drawer::tabbox {

class IThin : public s::gui::drawer::ITabBox {};

}  // namespace s::gui::drawer::tabbox
