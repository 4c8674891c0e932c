// s/gui/drawer/text/IBasic.h
//
// The Basic style of the Text family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IText.h"

namespace s::gui::drawer::text {

class IBasic : public s::gui::drawer::IText {};

}  // namespace s::gui::drawer::text
