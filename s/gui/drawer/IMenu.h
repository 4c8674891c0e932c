// s/gui/drawer/IMenu.h
//
// Menu bars. Measuring and painting the entries are added with the menu bar itself.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IMenu : public IDrawer {
public:
};

}  // namespace s::gui::drawer
