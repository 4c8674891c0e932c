// s/gui/drawer/scrollbar/IThin.h
//
// The Thin style of the ScrollBar family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IScrollBar.h"

namespace s::gui::drawer::scrollbar {

class IThin : public s::gui::drawer::IScrollBar {};

}  // namespace s::gui::drawer::scrollbar
