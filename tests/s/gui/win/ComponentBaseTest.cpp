// tests/s/gui/win/ComponentBaseTest.cpp
//
// The shared component rules on stored values (no native window yet).
#include "s/gui/win/ComponentBase.h"

#include <gmock/gmock.h>

#include "support/Pooled.h"
#include "support/gui/TestPanel.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::TestPanel;

TEST(ComponentBase, SizeWithinLimitsGoesFromMinimumToTarget) {
    Pooled<TestPanel> c;
    c->setMinimumSize(10, 20);
    c->setTargetSize(90, 60);
    c->setMargin(2, 3, 4, 5);
    struct Case {
        int32_t width, height, expectedWidth, expectedHeight;
    } cases[] = {
        {0, 0, 15, 29},        // minimum + margins
        {1000, 1000, 95, 69},  // target + margins
        {50, 40, 50, 40},
    };
    for (const Case& k : cases) {
        c->setSizeWithinLimits(k.width, k.height);
        EXPECT_EQ(c->getWidth(), k.expectedWidth) << k.width;
        EXPECT_EQ(c->getHeight(), k.expectedHeight) << k.height;
    }
    EXPECT_EQ(c->getContentMinWidth(), 10);
    EXPECT_EQ(c->getContentTargetHeight(), 60);
    EXPECT_EQ(c->getInnerWidth(), 50 - 5);
}

TEST(ComponentBase, PercentTargetFollowsTheParentsInnerSize) {
    Pooled<TestPanel> parent;
    TestPanel* child = s::thread::Pool<TestPanel>::obtain();
    parent->setMargin(10, 10, 0, 0);
    parent->setSize(220, 100);
    parent->addChild(child);
    child->setParent(parent.get());  // no window: only the references are taken
    child->setTargetPercent(50, -1);
    child->setTargetSize(30, 40);
    EXPECT_EQ(child->getTargetWidth(), 100);
    EXPECT_EQ(child->getTargetHeight(), 40);
    child->setFixedSize(70, -1);
    EXPECT_EQ(child->getTargetWidth(), 70);
    EXPECT_EQ(child->getMinWidth(), 70);
}

TEST(ComponentBase, HiddenComponentIsParkedAndShowingTellsTheParent) {
    Pooled<TestPanel> parent;
    TestPanel* child = s::thread::Pool<TestPanel>::obtain();
    parent->addChild(child);
    child->setParent(parent.get());
    child->setPosition(5, 6);
    EXPECT_TRUE(child->isVisible());  // components start visible
    child->setVisible(false, false);
    EXPECT_EQ(child->getX(), kParkedX);
    EXPECT_EQ(child->getY(), kParkedY);
    EXPECT_FALSE(child->containsScreenPoint(kParkedX, kParkedY));
    int layouts = parent->layouts;
    child->setVisible(false, false);  // no change: nothing happens
    child->setVisible(true, false);
    EXPECT_EQ(parent->layouts, layouts);  // childChanged of the test panel does nothing
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(child->getX(), kParkedX);   // stays parked until it is laid out again
}

TEST(ComponentBase, ContainsScreenPointIsInclusiveAroundOriginPlusPosition) {
    Pooled<TestPanel> c;
    c->setOrigin(3, 4);
    c->setBounds(10, 20, 30, 40);
    EXPECT_TRUE(c->containsScreenPoint(13, 24));
    EXPECT_TRUE(c->containsScreenPoint(43, 64));
    EXPECT_FALSE(c->containsScreenPoint(44, 64));
    EXPECT_FALSE(c->containsScreenPoint(12, 24));
}

TEST(ComponentBase, DeferredGeometryIsStoredAndAppliedOnce) {
    Pooled<TestPanel> c;
    c->beginDeferGeometry();
    c->setPosition(1, 2);
    c->setSize(30, 40);
    EXPECT_TRUE(c->isGeometryDeferred());
    c->endDeferGeometry();
    EXPECT_FALSE(c->isGeometryDeferred());
    EXPECT_EQ(c->getX(), 1);
    EXPECT_EQ(c->getHeight(), 40);
}

TEST(ComponentBase, CentringUsesTheParentsInnerSize) {
    Pooled<TestPanel> parent;
    TestPanel* child = s::thread::Pool<TestPanel>::obtain();
    parent->setMargin(0, 20, 0, 10);
    parent->setSize(120, 110);  // inner 100 x 100
    parent->addChild(child);
    child->setParent(parent.get());
    child->setSize(41, 200);
    child->centreInParent();
    EXPECT_EQ(child->getX(), 29);  // 59 >> 1
    EXPECT_EQ(child->getY(), 0);   // taller than the parent
    Pooled<TestPanel> orphan;
    orphan->setPosition(7, 8);
    orphan->centreInParent();
    EXPECT_EQ(orphan->getX(), 7);
}

TEST(ComponentBase, BackgroundRulesAndTheInheritedChain) {
    Pooled<TestPanel> top;
    TestPanel* middle = s::thread::Pool<TestPanel>::obtain();
    TestPanel* leaf = s::thread::Pool<TestPanel>::obtain();
    top->addChild(middle);
    middle->setParent(top.get());
    middle->addChild(leaf);
    leaf->setParent(middle);
    top->setBackgroundColour(1, 2, 3, false);
    middle->setBackgroundInherited(false);
    leaf->setBackgroundInherited(false);
    EXPECT_EQ(leaf->getBackgroundColour(), 0x030201u);
    middle->setBackgroundBlack(false);
    EXPECT_FALSE(middle->isBackgroundInherited());
    EXPECT_EQ(leaf->getBackgroundColour(), 0u);
    leaf->setBackgroundWhite(false);
    EXPECT_EQ(leaf->getBackgroundColour(), 0xFFFFFFu);
    leaf->setBackgroundSystem(false);
    EXPECT_EQ(leaf->getBackgroundColour(), GetSysColor(COLOR_BTNFACE));
    COLORREF caption = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    leaf->setBackgroundLight(false);
    EXPECT_EQ(GetRValue(leaf->getBackgroundColour()), 255 - (255 - GetRValue(caption)) / 2);
    EXPECT_EQ(GetBValue(leaf->getBackgroundColour()), 255 - (255 - GetBValue(caption)) / 2);
}

TEST(ComponentBase, RemovingAStrangerOnlyLaysOutAgainAndRemovingAChildReleasesIt) {
    Pooled<TestPanel> parent;
    Pooled<TestPanel> stranger;
    TestPanel* child = s::thread::Pool<TestPanel>::obtain();
    TestPanel* grandchild = s::thread::Pool<TestPanel>::obtain();
    parent->addChild(child);
    child->setParent(parent.get());
    child->addChild(grandchild);
    grandchild->setParent(child);
    int layouts = parent->layouts;
    parent->removeChild(stranger.get(), true);
    EXPECT_EQ(parent->layouts, layouts + 1);
    EXPECT_EQ(parent->getChildCount(), 1u);
    parent->removeChild(child, true);
    EXPECT_EQ(parent->getChildCount(), 0u);
    EXPECT_EQ(parent->layouts, layouts + 2);
    // Both went back to the pool, reset: the pool hands them out again, without parents.
    Pooled<TestPanel> reused;
    EXPECT_TRUE(reused.get() == child || reused.get() == grandchild);
    EXPECT_EQ(reused->getParent(), nullptr);
    EXPECT_EQ(reused->getChildCount(), 0u);
}

}  // namespace
}  // namespace s::gui::win
