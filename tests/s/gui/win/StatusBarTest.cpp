// tests/s/gui/win/StatusBarTest.cpp
//
// The status strip under a drop area: its rows, its grip and a height that holds its content.
#include "s/gui/win/StatusBar.h"

#include <gmock/gmock.h>

#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/UiScale.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class StatusBarTest : public tests::gui::GuiTest {};

s::gui::IComponent* gripOf(StatusBar* bar) {
    s::gui::IComponent* outer = bar->getChild(0);
    return outer->getChild(1)->getChild(0);
}

TEST_F(StatusBarTest, ContentSitsInARowAndTheBarIsAsTallAsItsTallestPart) {
    ShownBox s;
    Box* area = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    area->setFixedHeight(60, false);
    StatusBar* bar = s.add(newStatusBar(2, 1));
    Label* status = newLabelWithText(L"Ready", false, false);
    Button* cancel = newButtonWithText(L"Cancel", 70, 30);
    bar->addChild(status);
    bar->addChild(cancel);
    s.show();
    ASSERT_NE(handleOf(bar), nullptr);
    EXPECT_EQ(bar->getChildCount(), 1u);  // the outer box; the parts are in the content box
    EXPECT_EQ(bar->getContent()->getChildCount(), 2u);
    EXPECT_TRUE(GetWindowLongW(handleOf(bar), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    RECT rs, rc;
    GetWindowRect(handleOf(status), &rs);
    GetWindowRect(handleOf(cancel), &rc);
    EXPECT_LE(rs.right, rc.left);  // side by side, not stacked
    EXPECT_GE(bar->getHeight(), 30 + 2);  // the button and the content's margins
    EXPECT_EQ(bar->getWidth(), s.box->getInnerWidth());
    s::gui::IComponent* grip = gripOf(bar);
    EXPECT_STREQ(static_cast<Button*>(grip)->getText(), L"#Resizer");
    EXPECT_EQ(grip->getWidth(), 12);
    EXPECT_EQ(grip->getHeight(), 12);
    RECT rb;
    GetWindowRect(handleOf(bar), &rb);
    EXPECT_EQ(SendMessageW(handleOf(bar), WM_NCHITTEST, 0, MAKELPARAM(rb.left, rb.top)),
              HTTRANSPARENT);
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"status_bar").empty());
}

TEST(StatusBar, GripIsTwiceAsLargeAtScaleTwo) {
    overrideUiScale(2);
    StatusBar* bar = newStatusBar(0, 0);
    overrideUiScale(0);
    s::gui::IComponent* grip = gripOf(bar);
    EXPECT_EQ(grip->getMinWidth(), 24);
    EXPECT_EQ(grip->getMinHeight(), 24);
    bar->releaseToPool();
}


// However wide the bar, the grip sits in its bottom right corner.
TEST_F(StatusBarTest, TheGripSitsFlushInTheBottomRightCorner) {
    for (int32_t width : {320, 520}) {
        ShownBox s;
        s.window->setBounds(60, 60, width, 200);
        StatusBar* bar = s.add(newStatusBar(2, 1));
        bar->addChild(newLabelWithText(L"Ready", false, false));
        bar->setGripFlag(true);
        s.show();
        RECT rb, rg;
        GetWindowRect(handleOf(bar), &rb);
        GetWindowRect(handleOf(gripOf(bar)), &rg);
        EXPECT_EQ(rg.right, rb.right) << width;
        EXPECT_EQ(rg.bottom, rb.bottom) << width;
        EXPECT_EQ(bar->getWidth(), s.box->getInnerWidth()) << width;
    }
}

}  // namespace
}  // namespace s::gui::win
