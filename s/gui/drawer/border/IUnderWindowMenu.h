// s/gui/drawer/border/IUnderWindowMenu.h
//
// The UnderWindowMenu style of the border family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer::border {

class IUnderWindowMenu : public s::gui::drawer::IDrawer {};

}  // namespace s::gui::drawer::border
