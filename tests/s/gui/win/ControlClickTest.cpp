// tests/s/gui/win/ControlClickTest.cpp
//
// Buttons, check boxes and radio buttons clicked and held with real mouse input (SendInput
// through the session's Xvfb): their events, their couplings and the auto-repeat timing.
#include <functional>
#include <mutex>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/RadioButton.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ScreenLock.h"
#include "support/gui/ShownBox.h"
#include "support/gui/RealInput.h"

namespace s::gui::win {
namespace {

using tests::gui::eventually;
using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::ShownBox;
using tests::gui::mouse;
class ControlClickTest : public tests::gui::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        screen = std::make_unique<tests::gui::ScreenLock>();
    }
    void TearDown() override {
        // A test that stopped while holding the button lets it go for the next one.
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) mouse(MOUSEEVENTF_LEFTUP);
        screen.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<tests::gui::ScreenLock> screen;
};


// Moves the cursor and waits until it stands there (see pressOn).
bool moveTo(int x, int y) {
    return eventually(
        [&] {
            mouse(MOUSEEVENTF_MOVE, x, y);
            Sleep(40);
            POINT now;
            return GetCursorPos(&now) && now.x == x && now.y == y;
        },
        3000);
}

POINT middleOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Moves the real cursor over the control and presses there, once nothing else covers it.
bool pressOn(HWND control, s::gui::IWindow* window) {
    POINT at = middleOf(control);
    bool uncovered = eventually(
        [&] {
            window->bringToFront(true);
            return WindowFromPoint(at) == control;
        },
        5000);
    // The cursor must stand there before the press: a late motion event of the display can
    // still carry it back to where it was (Wine 8.0 under Xvfb), and the press lands there.
    bool there = eventually(
        [&] {
            mouse(MOUSEEVENTF_MOVE, at.x, at.y);
            Sleep(40);
            POINT now;
            return GetCursorPos(&now) && now.x == at.x && now.y == at.y &&
                   WindowFromPoint(now) == control;
        },
        3000);
    // A control under the cursor before took the mouse (hover); the press must wait until
    // the move reached it and it let go, or the press goes to it instead.
    DWORD ui = GetWindowThreadProcessId(control, nullptr);
    bool free = eventually(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(ui, &info) && (!info.hwndCapture || info.hwndCapture == control);
        },
        3000);
    mouse(MOUSEEVENTF_LEFTDOWN);
    return uncovered && there && free;
}

bool clickOn(HWND control, s::gui::IWindow* window) {
    bool uncovered = pressOn(control, window);
    mouse(MOUSEEVENTF_LEFTUP);
    return uncovered;
}

TEST_F(ControlClickTest, RealClicksReachButtonsCheckBoxesAndRadioButtonsWithTheirCouplings) {
    ShownBox s;
    s.window->setBounds(60, 60, 320, 260);
    Button* push = s.add(newButtonWithText(L"Push", 100, 28));
    CheckBox* check = s.add(newCheckBoxWithText(L"Verify after wiping", false));
    Button* coupled = s.add(newButtonWithText(L"Coupled", 100, 28));
    RadioButton* quick = s.add(newRadioButton(L"Quick", true));
    RadioButton* thorough = s.add(newRadioButton(L"Thorough", false));
    check->followCheck(coupled);
    coupled->setEnabled(false);
    Recorder clicks, checked, unchecked, quickOff, thoroughOn;
    push->addClickListener(&clicks);
    check->addCheckedListener(&checked);
    check->addUncheckedListener(&unchecked);
    quick->addUncheckedListener(&quickOff);
    thorough->addCheckedListener(&thoroughOn);
    s.show();

    ASSERT_TRUE(clickOn(handleOf(push), s.window.get()));
    EXPECT_TRUE(eventually([&] { return clicks.calls.load() == 1; }, 3000));
    EXPECT_EQ(clicks.lastCode.load(), s::gui::IButton::kClicked);
    EXPECT_EQ(clicks.thread.load(), s.window->uiThreadId());

    ASSERT_TRUE(clickOn(handleOf(check), s.window.get()));
    EXPECT_TRUE(eventually([&] { return checked.calls.load() == 1; }, 3000));
    EXPECT_EQ(checked.lastCode.load(), s::gui::ICheckBox::kChecked);
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(coupled->isEnabled());
    EXPECT_TRUE(IsWindowEnabled(handleOf(coupled)));
    // A second click within the double-click time is a double click, which a check box
    // with BS_NOTIFY only reports: the user's next click comes later.
    Sleep(GetDoubleClickTime() + 100);
    ASSERT_TRUE(clickOn(handleOf(check), s.window.get()));
    EXPECT_TRUE(eventually([&] { return unchecked.calls.load() == 1; }, 3000));
    EXPECT_EQ(unchecked.lastCode.load(), s::gui::ICheckBox::kUnchecked);
    EXPECT_EQ(checked.calls.load(), 1);
    EXPECT_FALSE(IsWindowEnabled(handleOf(coupled)));

    // The native group unchecks its sibling with a check message, which the sibling tells.
    ASSERT_TRUE(clickOn(handleOf(thorough), s.window.get()));
    EXPECT_TRUE(eventually([&] { return thoroughOn.calls.load() >= 1 && quickOff.calls.load() >= 1; }, 3000))
        << "on " << thoroughOn.calls.load() << " off " << quickOff.calls.load() << " native "
        << SendMessageW(handleOf(thorough), BM_GETCHECK, 0, 0) << " focus "
        << (GetFocus() == handleOf(thorough));
    EXPECT_TRUE(thorough->isChecked());
    EXPECT_FALSE(quick->isChecked());
    EXPECT_EQ(thoroughOn.lastCode.load(), 0);
}

TEST_F(ControlClickTest, AHeldAutoRepeatButtonRepeatsEveryTenthOfASecondAfterHalfASecond) {
    ShownBox s;
    Button* repeat = s.add(newButtonWithText(L"Repeat", 140, 40));
    repeat->setAutoRepeat(true);
    std::mutex lock;
    std::vector<DWORD> at;
    Recorder presses;
    presses.action = [&] {
        std::lock_guard<std::mutex> hold(lock);
        at.push_back(GetTickCount());
    };
    repeat->addPressListener(&presses);
    s.show();
    HWND h = handleOf(repeat);
    ASSERT_TRUE(pressOn(h, s.window.get()));
    Sleep(1250);
    std::vector<DWORD> held;
    {
        std::lock_guard<std::mutex> hold(lock);
        held = at;
    }
    // Outside the button the ticks stop while the button is still held.
    POINT middle = middleOf(h);
    RECT r;
    GetWindowRect(h, &r);
    ASSERT_TRUE(moveTo(r.right + 40, r.bottom + 40));
    Sleep(150);
    int outside = presses.calls.load();
    Sleep(300);
    EXPECT_EQ(presses.calls.load(), outside);
    ASSERT_TRUE(moveTo(middle.x, middle.y));
    EXPECT_TRUE(eventually([&] { return presses.calls.load() > outside; }, 1000));  // timer still runs
    mouse(MOUSEEVENTF_LEFTUP);
    Sleep(100);
    int released = presses.calls.load();
    Sleep(400);
    EXPECT_EQ(presses.calls.load(), released);

    // One press at once, the first repeat after about 600 ms, then one about every 100 ms:
    // bounds wide enough for a loaded machine, narrow enough to tell the two timers apart.
    ASSERT_GE(held.size(), 4u);
    DWORD firstRepeat = held[1] - held[0];
    EXPECT_GE(firstRepeat, 450u);
    EXPECT_LE(firstRepeat, 900u);
    DWORD span = held.back() - held[1];
    double step = static_cast<double>(span) / static_cast<double>(held.size() - 2);
    EXPECT_GE(step, 70.0);
    EXPECT_LE(step, 250.0);
    EXPECT_LE(held.size(), 1u + 8u);
}

}  // namespace
}  // namespace s::gui::win
