// tests/s/gui/win/GroupBoxTest.cpp
//
// The titled drop area: drops on its content box become its own event; its frame is
// painted only by WM_PAINT.
#include "s/gui/win/GroupBox.h"

#include <shlobj.h>

#include <atomic>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/IFont.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ProgressBar.h"
#include "s/gui/win/RadioButton.h"
#include "s/gui/win/StatusBar.h"
#include "s/gui/win/FontData.h"
#include "s/gui/win/UiScale.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class GroupBoxTest : public tests::gui::GuiTest {};

HDROP dropOf(const std::wstring& path) {
    size_t chars = path.size() + 2;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * 2);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    path.copy(reinterpret_cast<wchar_t*>(header + 1), path.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(GroupBoxTest, FilesDroppedOnTheContentReachTheGroupBoxListeners) {
    ShownBox s;
    GroupBox* group = s.add(newGroupBox(1, 0, 4, L"Drop Box", -1));
    group->getContent()->setAcceptFiles(true);
    Recorder dropped;
    group->addListener(&dropped);
    s.show();
    HWND content = group->getContent()->nativeWindow()->m_hWnd;
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(GetParent(content), handleOf(group));
    EXPECT_EQ(GetWindowLongW(handleOf(group), GWL_STYLE) & 0xF, BS_GROUPBOX);
    SendMessageW(content, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(L"T:\\a.txt")), 0);
    EXPECT_EQ(dropped.calls.load(), 1);
    EXPECT_EQ(dropped.lastCode.load(), s::gui::IGroupBox::kFilesDropped);
    EXPECT_EQ(dropped.lastSource, static_cast<void*>(static_cast<s::gui::IComponent*>(group)));
}

TEST_F(GroupBoxTest, NonClientPaintOpensNoPaintDcAndTheTitleSetsTheMinimumWidth) {
    ShownBox s;
    GroupBox* group = s.add(newGroupBox(1, 0, 0, L"A rather long title for an empty box", -1));
    s.show();
    HWND h = handleOf(group);
    UpdateWindow(h);
    // Nothing is left to paint, so a client paint can only come from the frame's message
    // (the window's own thread would serve an invalid area at any moment).
    uint32_t paints = group->paints();
    SendMessageW(h, WM_NCPAINT, 1, 0);
    EXPECT_EQ(group->paints(), paints);
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
    EXPECT_GT(group->paints(), paints);  // WM_PAINT does paint it
    HDC dc = GetDC(h);
    SIZE title = {};
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, group->getTitle(), static_cast<int>(wcslen(group->getTitle())), &title);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    EXPECT_GE(group->getMinWidth(), title.cx + 24);
}

// Every control of this toolkit in one window, at scales 1 and 2. A control from the pool
// keeps the font size of the scale it was last reset at, so each is given the default size
// again at the scale of the picture.
TEST_F(GroupBoxTest, ScreenshotsOfAWindowHoldingEveryControl) {
    for (int32_t scale : {1, 2}) {
        overrideUiScale(scale);
        auto atScale = [](auto* control) {
            control->setFontSize(0);
            return control;
        };
        ShownBox s;
        s.window->setBounds(40, 40, 420 * scale, 360 * scale);
        GroupBox* group = s.add(atScale(newGroupBox(1, 0, 4 * scale, L"Drop Box", -1)));
        group->getContent()->addChild(atScale(newLabelWithText(L"Drop files here", false, false)));
        group->getContent()->addChild(atScale(newCheckBoxWithText(L"Verify", true)));
        group->getContent()->addChild(atScale(newRadioButton(L"Quick", true)));
        group->getContent()->addChild(atScale(newRadioButton(L"Thorough", false)));
        ComboBox* methods = atScale(newComboBox(180 * scale));
        for (const wchar_t* c : {L"Shred Once", L"Extra Carefully"})
            methods->addItem(s::gui::combobox::ComboBoxItem::withCaption(c));
        group->getContent()->addChild(methods);
        ProgressBar* bar = s::thread::Pool<ProgressBar>::obtain();
        bar->setFixedSize(200 * scale, 16 * scale);
        bar->setPosition(40);
        s.add(bar);
        s.add(atScale(newButtonWithText(L"Start", 90 * scale, 26 * scale)))->makeDefault();
        StatusBar* status = s.add(newStatusBar(2, 1));
        status->addChild(atScale(newLabelWithText(L"Ready", false, false)));
        s.show();
        std::wstring name = L"every_control_scale" + std::to_wstring(scale);
        EXPECT_FALSE(saveScreenshot(s.window->getHandle(), name.c_str()).empty());
    }
    overrideUiScale(0);
}

COLORREF screenPixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

TEST_F(GroupBoxTest, TheDropBoxTitleComesFromThePackAndTheFrameTakesItsColour) {
    tests::gui::FakeLocalizer pack;
    pack.texts[0][1001000] = L"Drop Box";
    pack.texts[1][1001000] = L"Ablage";
    ShownBox s;
    s.window->setLocalizer(&pack);
    GroupBox* group = s.add(newGroupBoxDefaultTitle(220, 120));
    group->setPropagate(true);
    group->addInteger(7);
    group->addInteger(-3);
    s.show();
    EXPECT_STREQ(group->getTitle(), L"Drop Box");
    EXPECT_EQ(group->getWidth(), 220);
    EXPECT_EQ(group->getHeight(), 120);
    EXPECT_EQ(group->getContent()->getLayoutKind(), s::gui::IBox::kVertical);
    EXPECT_TRUE(group->getContent()->isPropagate());
    ASSERT_EQ(group->getIntegers()->count(), 2u);
    EXPECT_EQ(group->getIntegers()->get(1), -3);
    pack.switchTo(1);
    EXPECT_STREQ(group->getTitle(), L"Ablage");
    wchar_t shown[32] = {};
    GetWindowTextW(handleOf(group), shown, 32);
    EXPECT_STREQ(shown, L"Ablage");

    HWND h = handleOf(group);
    int middle = group->getHeight() / 2;
    auto frameShows = [&](COLORREF colour) {
        return tests::gui::eventually(
            [&] {
                s.window->bringToFront(true);
                RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return screenPixel(h, 0, middle) == colour;
            },
            3000);
    };
    EXPECT_EQ(group->getFrameColour(), 0xBFD0D0u);
    EXPECT_TRUE(frameShows(0xBFD0D0));
    group->setFrameColour(200, 30, 40);
    EXPECT_EQ(group->getFrameColour(), static_cast<uint32_t>(RGB(200, 30, 40)));
    EXPECT_TRUE(frameShows(RGB(200, 30, 40)));
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"group_box_frame_colour").empty());
    pack.switchTo(0);
    s.window->removeAllChildren(true);
    s.window->setLocalizer(nullptr);
}

TEST(GroupBox, TheTitleIdFactoryMakesTheSameContentAsTheTextFactory) {
    GroupBox* byId = newGroupBoxFromTextId(0, 5, 6, 1001000, 150);
    s::gui::IBox* content = byId->getContent();
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->getLayoutKind(), s::gui::IBox::kRow);
    EXPECT_EQ(content->getInnerWidth() - content->getWidth(), -40);  // margins 20 a side
    EXPECT_EQ(byId->getMinWidth(), 150);
    byId->releaseToPool();
}


TEST_F(GroupBoxTest, HidingParksTheBoxAndFreesItsBufferUntilTheNextPaint) {
    ShownBox s;
    GroupBox* group = s.add(newGroupBox(1, 0, 4, L"Drop Box", -1));
    group->getContent()->addChild(newLabelWithText(L"Drop files here", false, false));
    s.show();
    UpdateWindow(handleOf(group));
    EXPECT_TRUE(group->keepsBackBuffer());
    group->setVisible(false, false);
    EXPECT_FALSE(group->keepsBackBuffer());
    EXPECT_FALSE(IsWindowVisible(handleOf(group)));
    EXPECT_FALSE(group->getContent()->isVisible());
    RECT r;
    GetWindowRect(handleOf(group), &r);
    MapWindowPoints(HWND_DESKTOP, handleOf(s.box), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 8 - 10000);  // the Box's margin of 8, then the parked position
    EXPECT_EQ(group->getX(), -10000);
    EXPECT_EQ(group->getY(), 10000);
    group->setVisible(true, false);
    EXPECT_TRUE(group->getContent()->isVisible());
    RedrawWindow(handleOf(group), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(group->keepsBackBuffer());
}

// Notes the title font of every frame it is asked to draw, and draws nothing.
class NotingFrame final : public s::gui::drawer::IGroupBox {
public:
    std::atomic<uint32_t> colour{0};
    std::atomic<bool> disabledText{false};
    std::atomic<int> draws{0};
    void draw(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, const s::gui::IFont* font, int32_t,
              int32_t) override {
        colour = font ? font->getTextColour() : 0xFFFFFFFF;
        disabledText = font && font->fontData().disabledText;
        ++draws;
    }
    void setFrameColour(int32_t, int32_t, int32_t) override {}
    const wchar_t* classId() const override { return L"tests_NotingFrame"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}
};

TEST_F(GroupBoxTest, ADisabledGroupBoxShowsItsTitleInTheDisabledFont) {
    ShownBox s;
    NotingFrame frame;
    GroupBox* group = s.add(newGroupBox(1, 0, 0, L"Options", -1));
    group->setDrawer(&frame, false);
    group->setTextColour(20, 40, 200);
    s.show();
    auto paintedTitle = [&] {
        frame.draws = 0;
        RedrawWindow(handleOf(group), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GT(frame.draws.load(), 0);
        return frame.colour.load();
    };
    EXPECT_EQ(RGB(20, 40, 200), paintedTitle());
    EXPECT_FALSE(frame.disabledText.load());
    group->setEnabled(false);
    EXPECT_EQ(RGB(161, 161, 146), paintedTitle());
    EXPECT_TRUE(frame.disabledText.load());
    group->setEnabled(true);
    EXPECT_EQ(RGB(20, 40, 200), paintedTitle());
    group->setDrawer(nullptr, false);
}

}  // namespace
}  // namespace s::gui::win
