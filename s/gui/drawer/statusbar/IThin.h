// s/gui/drawer/statusbar/IThin.h
//
// The Thin style of the StatusBar family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IStatusBar.h"

namespace s::gui::drawer::statusbar {

class IThin : public s::gui::drawer::IStatusBar {};

}  // namespace s::gui::drawer::statusbar
