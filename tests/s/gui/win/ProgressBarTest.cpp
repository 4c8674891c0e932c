// tests/s/gui/win/ProgressBarTest.cpp
//
// A progress bar keeps what it was told until its control exists, then shows it.
#include "s/gui/win/ProgressBar.h"

#include <commctrl.h>

#include <gmock/gmock.h>

#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class ProgressBarTest : public tests::gui::GuiTest {};

TEST_F(ProgressBarTest, ConfiguredBeforeItExistsShowsTheStoredRangeAndPosition) {
    ShownBox s;
    ProgressBar* bar = s.add(s::thread::Pool<ProgressBar>::obtain());
    bar->setRange(10, 250);
    bar->setPosition(130);
    bar->setFixedHeight(18);
    bar->setWidthPercent(100);
    EXPECT_EQ(bar->getX(), 0);  // the component's place is untouched by the progress
    s.show();
    HWND h = handleOf(bar);
    ASSERT_NE(h, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(h, className, 32);
    EXPECT_STREQ(className, PROGRESS_CLASSW);
    EXPECT_EQ(GetDlgCtrlID(h), 1007);
    PBRANGE range = {};
    SendMessageW(h, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 10);
    EXPECT_EQ(range.iHigh, 250);
    EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 130);
    EXPECT_EQ(bar->getHeight(), 18);
    EXPECT_EQ(bar->getWidth(), s.box->getInnerWidth());
    bar->setPosition(200);
    EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 200);
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"progress").empty());
}

TEST(ProgressBar, DefaultsAreZeroToHundredAtZero) {
    ProgressBar* bar = s::thread::Pool<ProgressBar>::obtain();
    EXPECT_EQ(bar->getRangeMinimum(), 0);
    EXPECT_EQ(bar->getRangeMaximum(), 100);
    EXPECT_EQ(bar->getProgress(), 0);
    bar->setRange(5, 6);
    bar->releaseToPool();
    ProgressBar* again = s::thread::Pool<ProgressBar>::obtain();
    EXPECT_EQ(again->getRangeMaximum(), 100);
    again->releaseToPool();
}

}  // namespace
}  // namespace s::gui::win
