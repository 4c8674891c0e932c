// s/gui/drawer/statusbar/IBasic.h
//
// The Basic style of the StatusBar family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IStatusBar.h"

namespace s::gui::drawer::statusbar {

class IBasic : public s::gui::drawer::IStatusBar {};

}  // namespace s::gui::drawer::statusbar
