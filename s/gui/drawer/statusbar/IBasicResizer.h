// s/gui/drawer/statusbar/IBasicResizer.h
//
// The BasicResizer style of the statusbar family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer::statusbar {

class IBasicResizer : public s::gui::drawer::IDrawer {};

}  // namespace s::gui::drawer::statusbar
