// s/gui/drawer/listbox/IBasic.h
//
// The Basic style of the ListBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IListBox.h"

namespace s::gui::drawer::listbox {

class IBasic : public s::gui::drawer::IListBox {};

}  // namespace s::gui::drawer::listbox
