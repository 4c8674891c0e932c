// tests/s/gui/win/CheckBoxTest.cpp
//
// Check boxes clicked through the native control, their events and couplings.
#include "s/gui/win/CheckBox.h"

#include <gmock/gmock.h>

#include "s/gui/win/Button.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::ShownBox;

class CheckBoxTest : public tests::gui::GuiTest {};

std::wstring windowText(HWND h) {
    wchar_t text[128] = {};
    GetWindowTextW(h, text, 128);
    return text;
}

TEST_F(CheckBoxTest, ClicksTellTheCheckedAndUncheckedListenersOnRealChangesOnly) {
    ShownBox s;
    CheckBox* box = s.add(newCheckBoxWithText(L"Fast && safe", false));
    Recorder checked, unchecked;
    box->addCheckedListener(&checked);
    box->addUncheckedListener(&unchecked);
    s.show();
    HWND h = handleOf(box);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0xFFFF, 0x4003);  // notify, auto check box
    EXPECT_EQ(windowText(h), L"Fast &&&& safe");  // each "&" shown, none an accelerator
    EXPECT_GT(box->getWidth(), box->getHeight());
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(checked.calls.load(), 1);
    EXPECT_EQ(checked.lastCode.load(), s::gui::ICheckBox::kChecked);
    EXPECT_EQ(checked.thread.load(), s.window->uiThreadId());
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(unchecked.calls.load(), 1);
    EXPECT_EQ(unchecked.lastCode.load(), s::gui::ICheckBox::kUnchecked);
    box->setChecked(true);
    box->setChecked(true);  // no change: no event
    EXPECT_EQ(checked.calls.load(), 2);
    box->setCheckedSilently(false);
    box->setCheckedSilently(true);
    EXPECT_EQ(unchecked.calls.load(), 1);
    EXPECT_EQ(checked.calls.load(), 2);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(CheckBoxTest, ACheckSetBeforeTheControlExistsIsShownAndTellsNobody) {
    ShownBox s;
    Recorder checked;
    CheckBox* box = s.add(newCheckBoxWithText(L"Early", true));
    box->addCheckedListener(&checked);
    s.show();
    EXPECT_EQ(SendMessageW(handleOf(box), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(checked.calls.load(), 0);
}

TEST_F(CheckBoxTest, CouplingsFollowTheCheckAndEnablingIsTold) {
    ShownBox s;
    CheckBox* box = s.add(newCheckBoxWithText(L"Options", false));
    Button* follows = s.add(newButtonWithText(L"Follows", 80, 24));
    Button* inverted = s.add(newButtonWithText(L"Inverted", 80, 24));
    box->followCheck(follows);
    box->followCheckInverted(inverted);
    Recorder enabled, disabled;
    box->addEnableListener(&enabled);
    box->addDisableListener(&disabled);
    s.show();
    SendMessageW(handleOf(box), BM_CLICK, 0, 0);
    EXPECT_TRUE(follows->isEnabled());
    EXPECT_TRUE(IsWindowEnabled(handleOf(follows)));
    EXPECT_FALSE(inverted->isEnabled());
    EXPECT_FALSE(IsWindowEnabled(handleOf(inverted)));
    SendMessageW(handleOf(box), BM_CLICK, 0, 0);
    EXPECT_FALSE(follows->isEnabled());
    EXPECT_TRUE(inverted->isEnabled());
    box->setEnabled(false);
    box->setEnabled(false);
    box->setEnabled(true);
    EXPECT_EQ(disabled.calls.load(), 1);
    EXPECT_EQ(enabled.calls.load(), 1);
    EXPECT_EQ(enabled.lastCode.load(), 0);
}

}  // namespace
}  // namespace s::gui::win
