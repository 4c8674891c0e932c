// tests/s/gui/win/SkinFollowTest.cpp
//
// The controls of a window with a skinner take their family's drawer from its current skin
// when they are attached and again on every skin change, and leave it when detached.
#include <string>

#include <gmock/gmock.h>

#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/RadioButton.h"
#include "s/gui/win/StatusBar.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using s::gui::drawer::ISkin;
using tests::Pooled;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class SkinFollowTest : public tests::gui::GuiTest {};

struct Controls {
    Button* button;
    CheckBox* check;
    RadioButton* radio;
    Label* label;
    ComboBox* combo;
    StatusBar* status;
    GroupBox* group;
};

Controls addEveryControl(ShownBox& s) {
    Controls c;
    c.group = s.add(newGroupBox(1, 0, 2, L"Drop Box", -1));
    c.label = newLabelWithText(L"Drop files here", false, false);
    c.group->getContent()->addChild(c.label);
    c.button = s.add(newButtonWithText(L"Start", 90, 26));
    c.check = s.add(newCheckBoxWithText(L"Verify", true));
    c.radio = s.add(newRadioButton(L"Quick", true));
    c.combo = s.add(newComboBox(160));
    c.combo->addItem(s::gui::combobox::ComboBoxItem::withCaption(L"Shred Once"));
    c.status = s.add(newStatusBar(2, 1));
    return c;
}

void expectSkinOf(const Controls& c, ISkin* skin, const char* when) {
    EXPECT_EQ(c.button->getDrawer(), skin->getButtonDrawer()) << when;
    EXPECT_EQ(c.check->getDrawer(), skin->getCheckBoxDrawer()) << when;
    EXPECT_EQ(c.radio->getDrawer(), skin->getRadioButtonDrawer()) << when;
    EXPECT_EQ(c.label->getDrawer(), skin->getTextDrawer()) << when;
    EXPECT_EQ(c.combo->getDrawer(), skin->getComboDrawer()) << when;
    EXPECT_EQ(c.status->getDrawer(), skin->getStatusBarDrawer()) << when;
    EXPECT_EQ(c.group->getDrawer(), skin->getGroupBoxDrawer()) << when;
}

TEST_F(SkinFollowTest, EveryControlTakesTheCurrentSkinsDrawerAndFollowsItsChanges) {
    Pooled<s::gui::drawer::Skinner> skinner;
    skinner->setFamilyName(L"Thin");
    skinner->registerSchemes();
    ASSERT_GE(skinner->getSkinCount(), 2u);
    ISkin* first = skinner->getSkin(0);
    ISkin* second = skinner->getSkin(1);
    ASSERT_TRUE(skinner->selectSkin(first->getName()));
    ShownBox s;
    s.window->setBounds(60, 60, 360, 320);
    s.window->setSkinner(skinner.get());
    EXPECT_TRUE(s.window->hasSkinner());
    const uint32_t windowAlone = skinner->getListenerCount();  // its frame follows the skin too
    Controls c = addEveryControl(s);
    EXPECT_EQ(c.button->getDrawer(), nullptr);  // nothing taken before the control exists
    s.show();
    expectSkinOf(c, first, "attached");
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"skinned_controls_first").empty());

    ASSERT_TRUE(skinner->selectSkin(second->getName()));
    expectSkinOf(c, second, "after the change");
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"skinned_controls_second").empty());

    // A detached control no longer listens: the skinner keeps no pointer to it.
    uint32_t listening = skinner->getListenerCount();
    s.box->removeChild(c.button, true);
    EXPECT_EQ(skinner->getListenerCount(), listening - 1);
    s.window->removeAllChildren(true);
    EXPECT_EQ(skinner->getListenerCount(), windowAlone);
}

}  // namespace
}  // namespace s::gui::win
