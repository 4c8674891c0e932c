// s/gui/drawer/border/IThin.h
//
// The Thin style of the Border family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IBorder.h"

namespace s::gui::drawer::border {

class IThin : public s::gui::drawer::IBorder {};

}  // namespace s::gui::drawer::border
