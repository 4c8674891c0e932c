// tests/s/gui/win/ComboBoxTest.cpp
//
// A combo box driven by selection messages, and its edge cases at the ends of the list.
#include "s/gui/win/ComboBox.h"

#include <gmock/gmock.h>

#include "s/gui/combobox/ComboBoxItem.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using s::gui::combobox::ComboBoxItem;
using tests::Pooled;
using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class ComboBoxTest : public tests::gui::GuiTest {};

TEST(ComboBox, AnEmptyListKeepsNoSelectionAndReadsNothingPastItsEnd) {
    Pooled<ComboBox> combo(newComboBox(120));
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    combo->setSelection(3, true);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->removeAt(0), nullptr);
    EXPECT_EQ(combo->getItem(-1), nullptr);
    combo->addItem(ComboBoxItem::withCaption(L"One"));
    combo->addItem(ComboBoxItem::withCaption(L"Two"));
    combo->setSelection(7, false);  // outside the list: the first item
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    combo->setSelection(1, false);
    combo->insertItem(0, ComboBoxItem::withCaption(L"Zero"));
    EXPECT_EQ(combo->getSelectedIndex(), 2);  // moved with its item
    EXPECT_STREQ(combo->getSelectedItem()->getCaption(), L"Two");
    combo->removeAt(2)->releaseToPool();
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    EXPECT_EQ(combo->getItemCount(), 2u);
}

TEST_F(ComboBoxTest, UserSelectionTellsTheListenersAndTheNativeListMirrorsTheItems) {
    ShownBox s;
    ComboBox* combo = s.add(newComboBox(150));
    for (const wchar_t* c : {L"Quick", L"Thorough", L"Paranoid"})
        combo->addItem(ComboBoxItem::withCaption(c));
    Recorder changes;
    combo->addSelectionListener(&changes);
    s.show();
    HWND h = handleOf(combo);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0xFFFF, 0x0213);
    EXPECT_EQ(GetDlgCtrlID(h), 1020);
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    SendMessageW(h, CB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(1020, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    EXPECT_EQ(combo->getPreviousIndex(), 0);
    EXPECT_EQ(changes.calls.load(), 1);
    EXPECT_EQ(changes.lastCode.load(), 0);
    combo->setSelection(1, false);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(changes.calls.load(), 1);
    combo->removeAt(1)->releaseToPool();
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), -1);
    combo->setSelection(0, true);
    EXPECT_EQ(changes.calls.load(), 2);
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"combo_box").empty());
}

}  // namespace
}  // namespace s::gui::win
