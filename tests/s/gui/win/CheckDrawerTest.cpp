// tests/s/gui/win/CheckDrawerTest.cpp
//
// Check boxes and radio buttons with a drawer paint their whole face through it, again after
// every state the native control paints itself; a wrapping check box takes lines.
#include <atomic>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/RadioButton.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class CheckDrawerTest : public tests::gui::GuiTest {};

template <class Family>
class Counting : public Family {
public:
    std::atomic<int> draws{0};
    std::atomic<bool> lastChecked{false};
    std::atomic<int32_t> lastBox{-1};
    std::wstring lastCaption;
    const wchar_t* classId() const override { return L"tests_CountingCheckDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}

protected:
    void record(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                bool checked) {
        RECT r = {left, top, right, bottom};
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        lastCaption = caption;
        lastChecked = checked;
        ++draws;
    }
};

class CountingCheck final : public Counting<s::gui::drawer::ICheckBox> {
public:
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize,
              const wchar_t* caption, const s::gui::IFont*, bool, bool checked) override {
        lastBox = boxSize;
        record(dc, left, top, right, bottom, caption, checked);
    }
};

class CountingRadio final : public Counting<s::gui::drawer::IRadioButton> {
public:
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
              const s::gui::IFont*, bool, bool checked, COLORREF) override {
        record(dc, left, top, right, bottom, caption, checked);
    }
};

// Each message after which the native control has painted its own face.
template <class Drawer>
void expectRepaintAfterNativeStates(HWND h, Drawer& drawer) {
    UpdateWindow(h);
    const UINT messages[] = {BM_SETSTATE, BM_SETSTATE, WM_SETFOCUS, WM_KILLFOCUS, BM_SETCHECK, WM_ENABLE};
    const WPARAM values[] = {TRUE, FALSE, 0, 0, BST_CHECKED, TRUE};
    for (int i = 0; i < 6; ++i) {
        int before = drawer.draws.load();
        SendMessageW(h, messages[i], values[i], 0);
        EXPECT_GT(drawer.draws.load(), before) << "message " << messages[i];
    }
    EXPECT_TRUE(drawer.lastChecked.load());
}

TEST_F(CheckDrawerTest, DrawnCheckBoxesAndRadioButtonsPaintAgainAfterEveryNativeState) {
    ShownBox s;
    CountingCheck checkDrawer;
    CountingRadio radioDrawer;
    CheckBox* check = s.add(newCheckBoxWithText(L"Verify & report", false));
    RadioButton* radio = s.add(newRadioButton(L"Quick", false));
    check->setDrawer(&checkDrawer, false);
    radio->setDrawer(&radioDrawer, false);
    s.show();
    expectRepaintAfterNativeStates(handleOf(check), checkDrawer);
    expectRepaintAfterNativeStates(handleOf(radio), radioDrawer);
    EXPECT_EQ(checkDrawer.lastCaption, L"Verify & report");  // the caption, not the shown "&&"
    EXPECT_EQ(checkDrawer.lastBox.load(), check->getMinHeight());
    EXPECT_EQ(radioDrawer.lastCaption, L"Quick");
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"check_and_radio_drawn").empty());
    // Without a drawer the native control paints again.
    check->setDrawer(nullptr, false);
    int before = checkDrawer.draws.load();
    RedrawWindow(handleOf(check), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(checkDrawer.draws.load(), before);
}

TEST_F(CheckDrawerTest, AWrappingCheckBoxTakesLinesAndMayGetAsNarrowAsItsWidestWord) {
    ShownBox s;
    const wchar_t* caption = L"Ask for confirmation before shredding dropped files";
    CheckBox* wrapped = s.add(newCheckBoxWithText(caption, false));
    wrapped->setWordWrap(true);
    s.box->setFixedWidth(170, false);
    s.window->setBounds(60, 60, 200, 260);
    s.show();
    EXPECT_TRUE(GetWindowLongW(handleOf(wrapped), GWL_STYLE) & BS_MULTILINE);
    // The whole line is what it would like; its widest word is the least it takes.
    EXPECT_LT(wrapped->getMinWidth(), wrapped->getTargetWidth() / 3);
    EXPECT_LE(wrapped->getWidth(), s.box->getInnerWidth());
    EXPECT_GE(wrapped->getHeight(), 2 * wrapped->getMinHeight());  // two lines or more
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"check_box_wrapped").empty());
    wrapped->setWordWrap(false);
    EXPECT_FALSE(GetWindowLongW(handleOf(wrapped), GWL_STYLE) & BS_MULTILINE);
    EXPECT_EQ(wrapped->getMinWidth(), wrapped->getTargetWidth());
}

}  // namespace
}  // namespace s::gui::win
