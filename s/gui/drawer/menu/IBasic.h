// s/gui/drawer/menu/IBasic.h
//
// The Basic style of the Menu family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IMenu.h"

namespace s::gui::drawer::menu {

class IBasic : public s::gui::drawer::IMenu {};

}  // namespace s::gui::drawer::menu
