// s/gui/drawer/counter/IBasic.h
//
// The Basic style of the Counter family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/ICounter.h"

namespace s::gui::drawer::counter {

class IBasic : public s::gui::drawer::ICounter {};

}  // namespace s::gui::drawer::counter
