// tests/s/gui/win/SpacerTest.cpp
//
// A spacer's sizes by its orientation and the kind of Box that holds it.
#include "s/gui/win/Spacer.h"

#include <gmock/gmock.h>

#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ScreenLock.h"

namespace s::gui::win {
namespace {

using tests::Pooled;

TEST(Spacer, TakesNoSpaceAcrossItsBoxsAxis) {
    struct Case {
        int32_t kind;
        bool vertical;
        int32_t minWidth, minHeight, targetWidth, targetHeight;
    } cases[] = {
        {s::gui::IBox::kVertical, false, 30, 0, 30, 0},  // horizontal in a column
        {s::gui::IBox::kRow, true, 0, 30, 0, 30},        // vertical in a row
        {s::gui::IBox::kRow, false, 30, 1, 30, 1},       // along the row: both kept
        {s::gui::IBox::kPile, true, 1, 30, 1, 30},
    };
    for (const Case& k : cases) {
        Pooled<Box> box;
        if (k.kind == s::gui::IBox::kRow) box->setLayoutRow();
        if (k.kind == s::gui::IBox::kPile) box->setLayoutPile();
        Spacer* spacer = s::thread::Pool<Spacer>::obtain();
        spacer->setFixedWidth(30);  // a horizontal length, turned with the spacer
        if (k.vertical) spacer->setVertical();
        box->addChild(spacer);
        spacer->setParent(box.get());
        EXPECT_EQ(spacer->getMinWidth(), k.minWidth) << k.kind << k.vertical;
        EXPECT_EQ(spacer->getMinHeight(), k.minHeight) << k.kind << k.vertical;
        EXPECT_EQ(spacer->getTargetWidth(), k.targetWidth) << k.kind << k.vertical;
        EXPECT_EQ(spacer->getTargetHeight(), k.targetHeight) << k.kind << k.vertical;
    }
}

TEST(Spacer, PercentOfTheParentsInnerSizeWhenNotFixed) {
    Pooled<Box> box;
    box->setLayoutRow();
    box->setMargin(5, false);
    box->setSize(210, 60);
    Spacer* spacer = s::thread::Pool<Spacer>::obtain();
    spacer->setFixedWidth(-1);
    spacer->setWidthPercent(50);
    box->addChild(spacer);
    spacer->setParent(box.get());
    EXPECT_EQ(spacer->getTargetWidth(), 100);
    box->doLayout();
    EXPECT_EQ(spacer->getWidth(), 100);
    EXPECT_EQ(spacer->getHeight(), 1);
}

class SpacerPaintTest : public tests::gui::GuiTest {};

// A spacer with an inherited background shows the picture painted beneath it: here the
// window drawer's green, which is not the window's own colour.
TEST_F(SpacerPaintTest, AnInheritedBackgroundIsThePicturePaintedBeneath) {
    tests::gui::ScreenLock screen;
    Pooled<Window> window(s::thread::Pool<Window, 0>::obtain());
    Pooled<s::gui::drawer::window::win::Thin> frame;
    frame->setBackgroundColour(10, 200, 30);
    window->setLayoutManager(s::gui::layout::Vertical::shared());
    window->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 200, 120);
    Box* box = newBox(1, 0, 100, 100, 0, 0, 0, 10, 10);
    Spacer* gap = s::thread::Pool<Spacer>::obtain();
    gap->setVertical();
    gap->setFixedWidth(60);
    gap->setFixedHeight(40);
    box->addChild(gap);
    window->addChild(box);
    window->setDrawer(frame.get(), false);
    window->show(true, true);
    const HWND handle = gap->nativeWindow()->m_hWnd;
    ASSERT_NE(nullptr, handle);
    const bool green = tests::gui::eventually(
        [&] {
            window->bringToFront(true);
            RedrawWindow(window->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            POINT middle = {30, 20};
            ClientToScreen(handle, &middle);
            HDC dc = GetDC(nullptr);
            const COLORREF seen = GetPixel(dc, middle.x, middle.y);
            ReleaseDC(nullptr, dc);
            return seen == RGB(10, 200, 30);
        },
        5000);
    EXPECT_FALSE(tests::gui::saveScreenshot(window->getHandle(), L"spacer_inherited_picture").empty());
    EXPECT_TRUE(green);
    EXPECT_NE(RGB(10, 200, 30), window->getBackgroundColour());
    window->setDrawer(nullptr, false);
}

}  // namespace
}  // namespace s::gui::win
