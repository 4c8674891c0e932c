// s/gui/win/HotKeyText.h
//
// The words a hot key is reported with, kept apart from the registering so that they can
// be checked by table.
#pragma once
#include <cstdint>
#include <string>

namespace s::gui::win {

// "HotKey Ctrl+Shift+65 has been occupied by another application." for those modifiers.
std::wstring hotKeyClashText(bool alt, bool ctrl, bool shift, bool win, int32_t key);
// The system modifiers of a hot key; no repeat where the system knows it (7 and later).
uint32_t hotKeyModifiers(bool alt, bool ctrl, bool shift, bool win, bool noRepeatKnown);

}  // namespace s::gui::win
