// s/gui/drawer/window/IThin.h
//
// The Thin style of the Window family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IWindow.h"

namespace s::gui::drawer::window {

class IThin : public s::gui::drawer::IWindow {};

}  // namespace s::gui::drawer::window
