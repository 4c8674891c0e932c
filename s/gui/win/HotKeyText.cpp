// s/gui/win/HotKeyText.cpp
#include "s/gui/win/HotKeyText.h"

namespace s::gui::win {

std::wstring hotKeyClashText(bool alt, bool ctrl, bool shift, bool win, int32_t key) {
    std::wstring text = L"HotKey ";
    if (alt) text += L"Alt+";
    if (ctrl) text += L"Ctrl+";
    if (shift) text += L"Shift+";
    if (win) text += L"WinKey+";
    return text + std::to_wstring(key) + L" has been occupied by another application.";
}

uint32_t hotKeyModifiers(bool alt, bool ctrl, bool shift, bool win, bool noRepeatKnown) {
    return (alt ? 1u : 0u) | (ctrl ? 2u : 0u) | (shift ? 4u : 0u) | (win ? 8u : 0u) | (noRepeatKnown ? 0x4000u : 0u);
}

}  // namespace s::gui::win
