// s/gui/drawer/listheader/IThin.h
//
// The Thin style of the ListHeader family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IListHeader.h"

namespace s::gui::drawer::listheader {

class IThin : public s::gui::drawer::IListHeader {};

}  // namespace s::gui::drawer::listheader
