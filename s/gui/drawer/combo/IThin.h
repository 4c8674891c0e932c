// s/gui/drawer/combo/IThin.h
//
// The Thin style of the Combo family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/ICombo.h"

namespace s::gui::drawer::combo {

class IThin : public s::gui::drawer::ICombo {};

}  // namespace s::gui::drawer::combo
