// tests/s/gui/win/RadioButtonTest.cpp
//
// Radio buttons of one group clicked through the native control.
#include "s/gui/win/RadioButton.h"

#include <gmock/gmock.h>

#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class RadioButtonTest : public tests::gui::GuiTest {};

TEST_F(RadioButtonTest, CheckingOneUnchecksItsSiblingAndEveryCheckMessageIsTold) {
    ShownBox s;
    RadioButton* a = s.add(newRadioButton(L"Quick", true));
    RadioButton* b = s.add(newRadioButton(L"Thorough", false));
    Button* target = s.add(newButtonWithText(L"Target", 80, 24));
    Recorder aUnchecked, bChecked;
    a->addUncheckedListener(&aUnchecked);
    b->addCheckedListener(&bChecked);
    b->followCheckEditable(target);
    b->followCheck(target);
    s.show();
    EXPECT_EQ(GetWindowLongW(handleOf(a), GWL_STYLE) & 0xFFFF, 0x4009);
    EXPECT_TRUE(a->isChecked());
    EXPECT_FALSE(b->isChecked());
    SendMessageW(handleOf(b), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(a->isChecked());
    EXPECT_GE(aUnchecked.calls.load(), 1);
    EXPECT_EQ(aUnchecked.lastCode.load(), 0);
    EXPECT_GE(bChecked.calls.load(), 1);
    EXPECT_TRUE(target->isEnabled());
    EXPECT_TRUE(target->isEditable());
    int before = bChecked.calls.load();
    b->setChecked(true, true);
    b->setChecked(true, true);  // no change, told all the same
    EXPECT_EQ(bChecked.calls.load(), before + 2);
    b->setChecked(true, false);
    EXPECT_EQ(bChecked.calls.load(), before + 2);
    b->setChecked(false, true);
    EXPECT_FALSE(target->isEnabled());
    EXPECT_FALSE(target->isEditable());
}

TEST_F(RadioButtonTest, EmptyCaptionMeasuresNoWidth) {
    ShownBox s;
    RadioButton* empty = s.add(newRadioButton(L"", false));
    RadioButton* named = s.add(newRadioButton(L"Named", false));
    s.show();
    EXPECT_EQ(empty->getMinWidth(), 0);
    EXPECT_GT(named->getMinWidth(), 18);
}

TEST_F(RadioButtonTest, ScreenshotOfTheToggleControls) {
    ShownBox s;
    s.add(newCheckBoxWithText(L"Check & verify", true));
    s.add(newCheckBoxWithText(L"Unchecked", false));
    s.add(newRadioButton(L"First way", true));
    s.add(newRadioButton(L"Second way", false));
    s.add(newButtonWithText(L"Start", 90, 26))->makeDefault();
    s.show();
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"check_and_radio").empty());
}

}  // namespace
}  // namespace s::gui::win
