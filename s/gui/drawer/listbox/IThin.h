// s/gui/drawer/listbox/IThin.h
//
// The Thin style of the ListBox family; its drawer adds its own setters.
#pragma once
#include "s/gui/drawer/IListBox.h"

namespace s::gui::drawer::listbox {

class IThin : public s::gui::drawer::IListBox {};

}  // namespace s::gui::drawer::listbox
