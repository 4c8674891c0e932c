// tests/s/gui/win/SpacerTest.cpp
//
// A spacer's sizes by its orientation and the kind of Box that holds it.
#include "s/gui/win/Spacer.h"

#include <gmock/gmock.h>

#include "s/gui/win/Box.h"
#include "support/Pooled.h"

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

}  // namespace
}  // namespace s::gui::win
