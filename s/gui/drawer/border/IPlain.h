// s/gui/drawer/border/IPlain.h
//
// The Plain style of the border family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer::border {

class IPlain : public s::gui::drawer::IDrawer {};

}  // namespace s::gui::drawer::border
