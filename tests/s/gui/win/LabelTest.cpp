// tests/s/gui/win/LabelTest.cpp
//
// Labels in a shown Window, re-texted from the test's thread (not the UI thread), their
// temporary texts, links through the shell seam (no browser is started) and wrap cache.
#include "s/gui/win/Label.h"

#include <atomic>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/drawer/IText.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/FontData.h"
#include "s/gui/win/UiScale.h"
#include "s/system/win/ShellOpen.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::FakeLocalizer;
using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class LabelTest : public tests::gui::GuiTest {};

// Sizes a text at 7 pixels a letter, 12 a line, wrapped at the width; counts its calls.
class FakeText final : public s::gui::drawer::IText {
public:
    std::atomic<int> draws{0};
    std::atomic<DWORD> thread{0};
    std::wstring lastDrawn;
    std::atomic<const s::gui::IFont*> lastFont{nullptr};
    void drawText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font) override {
        lastDrawn = text;
        lastFont = font;
        thread = GetCurrentThreadId();
        RECT r = rect;
        DrawTextW(dc, text, -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        ++draws;
    }
    void measureText(HDC, const RECT& rect, const wchar_t* text, const s::gui::IFont*,
                     int32_t* width, int32_t* height) override {
        int32_t length = static_cast<int32_t>(wcslen(text)) * 7;
        int32_t room = rect.right - rect.left;
        int32_t lines = room > 0 && length > room ? (length + room - 1) / room : 1;
        *width = length > room && room > 0 ? room : length;
        *height = 12 * lines;
        thread = GetCurrentThreadId();
    }
    const wchar_t* classId() const override { return L"tests_FakeText"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}
};

std::wstring g_opened;
BOOL WINAPI recordOpen(SHELLEXECUTEINFOW* info) {
    g_opened = info->lpFile ? info->lpFile : L"";
    return TRUE;
}

TEST_F(LabelTest, TextFromAnotherThreadIsAppliedOnTheUiThreadAndTheSameTextDrawsOnce) {
    ShownBox s;
    FakeText drawer;
    Label* label = s.add(newLabelWithText(L"Ready", false, false));
    label->setDrawer(&drawer, false);
    s.show();
    ASSERT_NE(handleOf(label), nullptr);
    UpdateWindow(handleOf(label));
    EXPECT_TRUE(GetWindowLongW(handleOf(label), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(label->getWidth(), 5 * 7);
    EXPECT_TRUE(label->setText(L"Working", true));
    EXPECT_STREQ(label->getText(), L"Working");
    EXPECT_EQ(drawer.thread.load(), s.window->uiThreadId());
    EXPECT_EQ(drawer.lastDrawn, L"Working");
    EXPECT_EQ(label->getWidth(), 7 * 7);
    int draws = drawer.draws.load();
    EXPECT_FALSE(label->setText(L"Working", true));
    EXPECT_EQ(drawer.draws.load(), draws);
}

TEST_F(LabelTest, TemporaryTextsGiveWayToTheTextShownBeforeTheFirst) {
    ShownBox s;
    Label* label = s.add(newLabelWithText(L"Original", false, false));
    s.show();
    label->showTemporaryText(L"First", 200);
    label->showTemporaryText(L"Second", 200);
    EXPECT_STREQ(label->getText(), L"Second");
    Sleep(500);
    SendMessageW(handleOf(label), WM_NULL, 0, 0);  // the UI thread has run its timers
    EXPECT_STREQ(label->getText(), L"Original");
    // A text set for good while a temporary one stands is not undone by its timer.
    label->showTemporaryText(L"Done", 200);
    label->setText(L"Working on a.txt", true);
    Sleep(500);
    SendMessageW(handleOf(label), WM_NULL, 0, 0);
    EXPECT_STREQ(label->getText(), L"Working on a.txt");
}

TEST_F(LabelTest, OnlyALinkTakesTheMouseAndItOpensItsTargetThroughTheShell) {
    ShownBox s;
    Label* plain = s.add(newLabelWithText(L"Plain", false, false));
    Label* link = s.add(newLabelWithText(L"Home page", false, false));
    link->setLink(true);
    link->setLinkTarget(L"http://127.0.0.1/");
    Recorder clicks;
    link->addClickListener(&clicks);
    s.show();
    RECT r;
    GetWindowRect(handleOf(plain), &r);
    EXPECT_EQ(SendMessageW(handleOf(plain), WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, r.top + 1)),
              HTTRANSPARENT);
    GetWindowRect(handleOf(link), &r);
    EXPECT_EQ(SendMessageW(handleOf(link), WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, r.top + 1)),
              HTCLIENT);
    auto previous = s::system::win::setShellExecuteFunction(&recordOpen);
    g_opened.clear();
    SendMessageW(handleOf(link), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(link->getLook(), 2);
    SendMessageW(handleOf(link), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    s::system::win::setShellExecuteFunction(previous);
    EXPECT_EQ(g_opened, L"http://127.0.0.1/");
    EXPECT_EQ(clicks.calls.load(), 1);
    EXPECT_EQ(clicks.lastCode.load(), s::gui::ILabel::kClicked);
    EXPECT_EQ(link->getLook(), 0);
}

TEST_F(LabelTest, WrapCacheAnswersTheSameWidthAndIsClearedByANewText) {
    ShownBox s;
    FakeText drawer;
    Label* label = s.add(newLabelWithText(L"a text that needs more than one line", true, false));
    label->setDrawer(&drawer, false);
    s.show();
    uint32_t before = label->wrapMeasures();
    label->setSizeWithinLimits(70, 0);
    label->setSizeWithinLimits(70, 0);
    EXPECT_EQ(label->wrapMeasures(), before + 1);
    EXPECT_EQ(label->getWidth(), 70);
    EXPECT_EQ(label->getHeight(), 12 * 4);  // 252 pixels of text in rows of 70
    label->setSizeWithinLimits(-5, 0);      // a width below zero is no index
    EXPECT_GE(label->getWidth(), 0);
    label->setText(L"short", false);
    label->setSizeWithinLimits(70, 0);
    EXPECT_EQ(label->wrapMeasures(), before + 3);
    EXPECT_EQ(label->getHeight(), 12);
}

TEST_F(LabelTest, LanguageChangeReTextsTheLabel) {
    ShownBox s;
    FakeLocalizer localizer;
    localizer.texts[0][42] = L"Wipe";
    localizer.texts[1][42] = L"Loeschen";
    s.window->setLocalizer(&localizer);
    Label* label = s.add(newLabel(42, false, false));
    Label* none = s.add(newLabel(-1, false, false));
    s.show();
    EXPECT_STREQ(label->getText(), L"Wipe");
    localizer.switchTo(1);
    EXPECT_STREQ(label->getText(), L"Loeschen");
    EXPECT_STREQ(none->getText(), L"");
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"labels").empty());
    s.window->setLocalizer(nullptr);
}


// A link is painted in its link font by look (normal, hover, pressed); disabled, any label
// in its disabled font.
TEST_F(LabelTest, EachLookPaintsWithItsOwnFont) {
    ShownBox s;
    FakeText text;
    Label* link = s.add(newLabelWithText(L"Visit the web page", false, false));
    link->setDrawer(&text, false);
    link->setLink(true);
    link->setFixedSize(150, 20);
    s.show();
    HWND h = handleOf(link);
    auto paintedWith = [&](const char* when) {
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(tests::gui::eventually(
            [&] {
                RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return text.lastFont.load() != nullptr;
            },
            3000))
            << when;
        return text.lastFont.exchange(nullptr);
    };
    EXPECT_EQ(paintedWith("normal"), link->getLinkFont());
    EXPECT_TRUE(link->getLinkFont()->isUnderline());
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // over it, no button down
    EXPECT_EQ(link->getLook(), 1);
    EXPECT_EQ(paintedWith("hover"), link->getLinkHoverFont());
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(link->getLook(), 2);
    EXPECT_EQ(paintedWith("pressed"), link->getLinkPressedFont());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));  // let go outside: no click
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));
    ReleaseCapture();
    link->setEnabled(false);
    EXPECT_EQ(paintedWith("disabled"), link->getDisabledFont());
    EXPECT_NE(link->getFont(), link->getDisabledFont());
    EXPECT_FALSE(link->getFont()->isUnderline());
}

// The factories' last word is the font's size code: 0 to 99 are 10 points and up, from 100
// on bold ones from 14 points.
TEST_F(LabelTest, TheFactoriesGiveTheFontItsSizeCode) {
    struct Case {
        int32_t code;
        int32_t points;
        bool bold;
    } cases[] = {{0, 10, false}, {4, 14, false}, {104, 18, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        Label* withText = newLabelWithText(L"Sized", false, false, k.code);
        Label* byId = newLabel(7, true, false, k.code);
        for (Label* label : {withText, byId}) {
            EXPECT_EQ(heightForPoints(k.points, uiScale()), label->getFontHeight());
            EXPECT_EQ(k.bold, label->isBold());
            label->releaseToPool();
        }
    }
}

TEST_F(LabelTest, AHiddenLabelWaitsAboveAndLeftOfItsParent) {
    ShownBox s;
    Label* label = s.add(newLabelWithText(L"Parked", false, false));
    s.show();
    label->setVisible(false, false);
    EXPECT_EQ(-10000, label->getX());
    EXPECT_EQ(-10000, label->getY());
    EXPECT_FALSE(IsWindowVisible(handleOf(label)));
}

}  // namespace
}  // namespace s::gui::win
