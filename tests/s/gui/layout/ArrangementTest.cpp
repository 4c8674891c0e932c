// tests/s/gui/layout/ArrangementTest.cpp
//
// The arrangements on stored geometry: a Box without a window lays out plain panels.
#include "s/gui/layout/Arrangement.h"

#include <gmock/gmock.h>

#include <thread>

#include "s/gui/layout/FlowH.h"
#include "s/gui/layout/Pile.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/TestPanel.h"

namespace s::gui::layout {
namespace {

using s::gui::win::Box;
using tests::Pooled;
using tests::gui::TestPanel;

struct Child {
    int32_t minWidth, minHeight, targetWidth, targetHeight;
    bool visible;
};
struct Place {
    int32_t x, y, width, height;
};
struct Case {
    const char* name;
    int32_t kind, hAlign, vAlign, hGap, vGap;
    int32_t width, height;  // the Box's size
    int32_t children;
    Child child[3];
    Place expected[3];
    int32_t minWidth, minHeight;
};

TestPanel* addPanel(Box* box, const Child& c) {
    TestPanel* panel = s::thread::Pool<TestPanel>::obtain();
    panel->setMinimumSize(c.minWidth, c.minHeight);
    panel->setTargetSize(c.targetWidth, c.targetHeight);
    if (!c.visible) panel->setVisible(false, false);
    box->addChild(panel);
    panel->setParent(box);  // no window: only the references are taken
    return panel;
}

void configure(Box* box, const Case& k) {
    switch (k.kind) {
    case 0: box->setLayoutRow(); break;
    case 2: box->setLayoutFlow(); break;
    case 3: box->setLayoutPile(); break;
    default: box->setLayoutVertical(); break;
    }
    int32_t h[] = {0, 1, 2};
    if (h[k.hAlign] == 1) box->alignCentre(); else if (h[k.hAlign] == 2) box->alignRight();
    if (k.vAlign == 1) box->alignMiddle(); else if (k.vAlign == 2) box->alignBottom();
    box->setHorizontalGap(k.hGap);
    box->setVerticalGap(k.vGap);
}

TEST(Arrangement, PlacesChildrenByKindAlignmentAndGap) {
    const Case cases[] = {
        // heights 10, 0, 10 with gap 4: no gap after the empty child; minimum 24
        {"column gaps", 1, 0, 0, 0, 4, 50, 0, 3,
         {{20, 10, 0, 0, true}, {20, 0, 0, 0, true}, {20, 10, 0, 0, true}},
         {{0, 0, 20, 10}, {0, 14, 20, 0}, {0, 14, 20, 10}}, 20, 24},
        // spare 10 over two children 10 short each: both grow by 5
        {"column grows", 1, 0, 0, 0, 0, 50, 30, 2,
         {{10, 10, 10, 20, true}, {10, 10, 10, 20, true}},
         {{0, 0, 10, 15}, {0, 15, 10, 15}}, 10, 20},
        // room for every target: the rest goes to the alignment
        {"column middle right", 1, 2, 1, 0, 0, 50, 100, 2,
         {{10, 10, 10, 20, true}, {10, 10, 10, 20, true}},
         {{40, 30, 10, 20}, {40, 50, 10, 20}}, 10, 20},
        {"row gaps", 0, 0, 1, 4, 0, 0, 30, 3,
         {{10, 10, 0, 0, true}, {0, 10, 0, 0, true}, {10, 10, 0, 0, true}},
         {{0, 10, 10, 10}, {14, 10, 0, 10}, {14, 10, 10, 10}}, 24, 10},
        {"row grows centred", 0, 1, 0, 0, 0, 30, 10, 2,
         {{10, 10, 20, 10, true}, {10, 10, 20, 10, true}},
         {{0, 0, 15, 10}, {15, 0, 15, 10}}, 20, 10},
        // three of 40 in 100: two rows, each flush right
        {"flow right", 2, 2, 0, 0, 0, 100, 0, 3,
         {{40, 10, 0, 0, true}, {40, 10, 0, 0, true}, {40, 10, 0, 0, true}},
         {{20, 0, 40, 10}, {60, 0, 40, 10}, {60, 10, 40, 10}}, 40, 20},
        {"flow gaps", 2, 0, 0, 5, 3, 90, 0, 3,
         {{40, 10, 0, 0, true}, {40, 12, 0, 0, true}, {40, 10, 0, 0, true}},
         {{0, 0, 40, 10}, {45, 0, 40, 12}, {0, 15, 40, 10}}, 40, 25},
        // the hidden child neither counts nor moves
        {"pile centred", 3, 1, 2, 0, 0, 60, 40, 2,
         {{20, 10, 0, 0, true}, {90, 90, 0, 0, false}},
         {{20, 30, 20, 10}, {s::gui::win::kParkedX, s::gui::win::kParkedY, 0, 0}}, 20, 10},
    };
    for (const Case& k : cases) {
        Pooled<Box> box;
        configure(box.get(), k);
        TestPanel* panels[3] = {};
        for (int32_t i = 0; i < k.children; ++i) panels[i] = addPanel(box.get(), k.child[i]);
        box->setSize(k.width, k.height);
        box->doLayout();
        for (int32_t i = 0; i < k.children; ++i) {
            const Place& e = k.expected[i];
            EXPECT_EQ(panels[i]->getX(), e.x) << k.name << " child " << i;
            EXPECT_EQ(panels[i]->getY(), e.y) << k.name << " child " << i;
            EXPECT_EQ(panels[i]->getWidth(), e.width) << k.name << " child " << i;
            EXPECT_EQ(panels[i]->getHeight(), e.height) << k.name << " child " << i;
        }
        EXPECT_EQ(box->lastLayout().minWidth, k.minWidth) << k.name;
        EXPECT_EQ(box->lastLayout().minHeight, k.minHeight) << k.name;
    }
}

TEST(Arrangement, MarginsMoveTheChildrensOriginAndNestedBoxesReportTheirContent) {
    Pooled<Box> outer;
    outer->setMargin(7, false);
    Box* inner = s::thread::Pool<Box>::obtain();
    inner->setLayoutRow();
    outer->addChild(inner);
    inner->setParent(outer.get());
    addPanel(inner, {30, 12, 0, 0, true});
    addPanel(inner, {25, 8, 0, 0, true});
    inner->doLayout();  // as its window's creation does
    outer->setSize(100, 60);
    EXPECT_EQ(inner->getMinWidth(), 55);
    EXPECT_EQ(inner->getMinHeight(), 12);
    EXPECT_EQ(inner->getWidth(), 55);
    EXPECT_EQ(inner->getScreenX(), 7);  // origin at the margin, no window yet
    EXPECT_EQ(inner->getScreenY(), 7);
    EXPECT_EQ(outer->lastLayout().minHeight, 12);
    EXPECT_EQ(outer->getMinHeight(), 12 + 14);
}

TEST(Arrangement, LayoutStartedFromItsOwnListenerStopsAtTwoLevels) {
    Pooled<Box> box;
    addPanel(box.get(), {10, 10, 0, 0, true});
    tests::gui::Recorder listener;
    listener.action = [&] { box->doLayout(); };
    box->addLayoutListener(&listener);
    box->doLayout();
    EXPECT_EQ(listener.calls.load(), 2);
    box->doLayout();  // the guard is released after each pass
    EXPECT_EQ(listener.calls.load(), 4);
}

// A share of the box's size takes what the box has and asks for no more than its minimum:
// else the box's target would be the size it happens to have, and so would its parent's.
TEST(Arrangement, AShareOfTheBoxAsksOnlyForItsMinimumWhateverTheBoxsSize) {
    for (int32_t kind : {0, 1, 2, 3}) {
        SCOPED_TRACE(kind);
        Pooled<Box> box;
        configure(box.get(), Case{"", kind, 0, 0, 0, 0, 0, 0, 0, {}, {}, 0, 0});
        TestPanel* share = addPanel(box.get(), {30, 10, 80, 20, true});
        share->setTargetPercent(100, 100);
        TestPanel* plain = addPanel(box.get(), {20, 12, 50, 15, true});
        LayoutResult first;
        for (int32_t width : {200, 400}) {
            box->setSize(width, width / 2);
            box->doLayout();
            const LayoutResult r = box->lastLayout();
            if (width == 200) first = r;
            // The plain child's target counts; the share counts with its minimum only.
            EXPECT_EQ(kind == 0 || kind == 2 ? 30 + 50 : 50, r.targetWidth) << width;
            EXPECT_EQ(first.targetWidth, r.targetWidth) << width;
            EXPECT_EQ(first.targetHeight, r.targetHeight) << width;
            EXPECT_EQ(first.minWidth, r.minWidth) << width;
            EXPECT_EQ(first.minHeight, r.minHeight) << width;
            // Laid out, the share still gets its share.
            EXPECT_GT(share->getWidth(), 30) << width;
            EXPECT_GE(plain->getWidth(), 20) << width;
        }
    }
}

// A text that wraps: narrower than 150 it needs two lines of 10.
class WrappingText final : public s::gui::win::ComponentBase<s::gui::IComponent> {
public:
    void setSizeWithinLimits(int32_t width, int32_t height) override {
        setMinimumSize(10, width < 150 ? 20 : 10);
        setTargetSize(300, width < 150 ? 20 : 10);
        ComponentBase::setSizeWithinLimits(width, height);
    }
    const wchar_t* classId() const override { return L"tests_WrappingText"; }
    s::base::IObject* newInstance() const override { return s::thread::Pool<WrappingText>::obtain(); }
    void releaseToPool() override { s::thread::Pool<WrappingText>::release(this); }
};

// A box holding such a text changes its result when it gets another width, and tells its
// parent while the parent places it: the parent places its children once more after that
// pass, instead of laying out inside its own layout.
TEST(Arrangement, AChildThatChangedWhileItWasPlacedGetsAnotherPassNotANestedLayout) {
    Pooled<Box> outer;
    Box* inner = s::thread::Pool<Box>::obtain();
    inner->setWidthPercent(100, false);
    outer->addChild(inner);
    inner->setParent(outer.get());
    WrappingText* text = s::thread::Pool<WrappingText>::obtain();
    inner->addChild(text);
    text->setParent(inner);
    outer->setSize(400, 200);
    ASSERT_EQ(10, inner->lastLayout().minHeight);
    int32_t layouts = 0;
    tests::gui::Recorder laidOut;
    laidOut.action = [&] { ++layouts; };
    outer->addLayoutListener(&laidOut);
    outer->setSize(100, 200);
    EXPECT_EQ(1, layouts) << "the outer box laid out inside its own layout";
    EXPECT_EQ(20, inner->lastLayout().minHeight);
    EXPECT_EQ(20, inner->getHeight()) << "placed with the height it needs at its new width";
    EXPECT_EQ(100, inner->getWidth());
}

TEST(Arrangement, LayoutManagersUseTheirArrangementWithoutParameters) {
    Pooled<Box> box;
    box->alignRight();
    box->setVerticalGap(9);
    TestPanel* a = addPanel(box.get(), {10, 10, 0, 0, true});
    TestPanel* b = addPanel(box.get(), {10, 10, 0, 0, true});
    box->setLayoutManager(Vertical::shared());
    box->setSize(50, 50);
    EXPECT_EQ(a->getX(), 0);
    EXPECT_EQ(b->getY(), 10);
    box->setLayoutManager(FlowH::shared());
    box->doLayout();
    EXPECT_EQ(b->getX(), 10);
    EXPECT_EQ(b->getY(), 0);
    box->setLayoutManager(Pile::shared());
    box->doLayout();
    EXPECT_EQ(b->getX(), 0);
    EXPECT_EQ(b->getY(), 0);
    // One stateless instance serves every box: another thread gets the same one.
    Vertical* seenElsewhere = nullptr;
    std::thread([&seenElsewhere] { seenElsewhere = Vertical::shared(); }).join();
    ASSERT_NE(nullptr, seenElsewhere);
    EXPECT_EQ(seenElsewhere, Vertical::shared());
    box->setLayoutManager(nullptr);
    EXPECT_EQ(box->getLayoutManager(), FlowH::shared());  // reported, though the kind rules
}

}  // namespace
}  // namespace s::gui::layout
