// tests/s/gui/menuitem/MenuItemTest.cpp
//
// The chaining helper beside the menu entries: a component added to a container unless
// either is missing, the container handed back.
#include "s/gui/menuitem/MenuItem.h"

#include <gmock/gmock.h>

#include "support/Pooled.h"
#include "support/gui/TestPanel.h"

namespace s::gui::menuitem {
namespace {

using tests::Pooled;
using tests::gui::TestPanel;

TEST(MenuItemAddChild, AddsWhatIsGivenAndHandsTheContainerBack) {
    Pooled<TestPanel> outer;
    TestPanel* inner = s::thread::Pool<TestPanel>::obtain();
    TestPanel* leaf = s::thread::Pool<TestPanel>::obtain();
    // One chain: the inner panel into the outer one, the leaf into the inner.
    s::gui::IComponent* back = MenuItem::addChild(MenuItem::addChild(outer.get(), inner), nullptr);
    EXPECT_EQ(static_cast<s::gui::IComponent*>(outer.get()), back);
    EXPECT_EQ(static_cast<s::gui::IComponent*>(inner), MenuItem::addChild(inner, leaf));
    ASSERT_EQ(1u, outer->getChildCount());
    EXPECT_EQ(static_cast<s::gui::IComponent*>(inner), outer->getChild(0));
    ASSERT_EQ(1u, inner->getChildCount());
    EXPECT_EQ(static_cast<s::gui::IComponent*>(leaf), inner->getChild(0));
    EXPECT_EQ(nullptr, MenuItem::addChild(nullptr, leaf));  // no container: nothing, and none back
    EXPECT_EQ(1u, inner->getChildCount());
}

}  // namespace
}  // namespace s::gui::menuitem
