// tests/s/gui/win/FontHandOverTest.cpp
//
// A control given a new font keeps the old one alive until the new one is in place: the
// native control, which draws with the font it holds, never holds a deleted one. Seen at
// every WM_SETFONT the control receives.
#include <windows.h>

#include <atomic>
#include <functional>

#include <gmock/gmock.h>

#include "s/gui/IFontOwner.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/RadioButton.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::ShownBox;

class FontHandOverTest : public tests::gui::GuiTest {};

// One watched control at a time: the procedure it had, and what WM_SETFONT found.
WNDPROC g_before = nullptr;
std::atomic<int> g_handOvers{0};
std::atomic<int> g_deadFonts{0};

LRESULT CALLBACK watchFonts(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT) {
        auto held = reinterpret_cast<HGDIOBJ>(CallWindowProcW(g_before, window, WM_GETFONT, 0, 0));
        if (held && GetObjectType(held) != OBJ_FONT) ++g_deadFonts;
        ++g_handOvers;
    }
    return CallWindowProcW(g_before, window, message, wParam, lParam);
}

struct Kind {
    const char* name;
    std::function<s::gui::IComponent*()> make;
};

TEST_F(FontHandOverTest, TheOldFontLivesUntilTheControlHoldsTheNewOne) {
    const Kind kinds[] = {
        {"button", [] { return newButtonWithText(L"Push", -1, -1); }},
        {"check box", [] { return newCheckBoxWithText(L"Tick", false); }},
        {"radio button", [] { return newRadioButton(L"Dot", false); }},
        {"group box", [] { return newGroupBox(1, 0, 0, L"Frame", -1); }},
        {"combo box", [] { return newComboBox(120); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ShownBox s;
        s::gui::IComponent* control = s.add(kind.make());
        s.show();
        const HWND h = handleOf(control);
        ASSERT_NE(nullptr, h);
        onUiThread(
            *s.window,
            [h] {
                g_before = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchFonts)));
            },
            kWaitForever);
        g_handOvers = 0;
        g_deadFonts = 0;
        auto* fonts = dynamic_cast<s::gui::IFontOwner*>(control);
        ASSERT_NE(nullptr, fonts);
        fonts->setBold(true);
        fonts->setFontPointSize(14);
        fonts->setItalic(true);
        EXPECT_GE(g_handOvers.load(), 3);
        EXPECT_EQ(0, g_deadFonts.load());
        onUiThread(
            *s.window, [h] { SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_before)); },
            kWaitForever);
    }
}

}  // namespace
}  // namespace s::gui::win
