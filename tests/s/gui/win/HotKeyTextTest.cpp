// tests/s/gui/win/HotKeyTextTest.cpp
#include "s/gui/win/HotKeyText.h"

#include <gmock/gmock.h>

namespace s::gui::win {
namespace {

TEST(HotKeyTextTest, TheClashNamesEveryModifierInOrder) {
    EXPECT_EQ(L"HotKey Ctrl+Shift+65 has been occupied by another application.",
              hotKeyClashText(false, true, true, false, 65));
    EXPECT_EQ(L"HotKey Alt+Ctrl+Shift+WinKey+-3 has been occupied by another application.",
              hotKeyClashText(true, true, true, true, -3));
    EXPECT_EQ(L"HotKey 112 has been occupied by another application.", hotKeyClashText(false, false, false, false, 112));
}

TEST(HotKeyTextTest, ModifiersAndNoRepeat) {
    EXPECT_EQ(1u | 2u | 4u | 8u, hotKeyModifiers(true, true, true, true, false));
    EXPECT_EQ(6u | 0x4000u, hotKeyModifiers(false, true, true, false, true));
    EXPECT_EQ(0u, hotKeyModifiers(false, false, false, false, false));
}

}  // namespace
}  // namespace s::gui::win
