// tests/e2e/KeyboardTest.cpp
//
// The program worked without the mouse, by real key presses (SendInput through the session's
// X server): Tab and Shift+Tab walk the controls with the focus shown, the arrows choose
// the method, Alt and F10 open the menu bar and Left and Right walk it, and the question
// of a drop is answered by Escape and Return, after which the main window is active again.
#include <windows.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "support/gui/RealInput.h"
#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

using tests::gui::eventually;
using tests::gui::typeKey;

constexpr UINT kMenuHandleMessage = 0x01E1;  // MN_GETHMENU

HWND focusOn(HWND top) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The first entry of the drop-down menu that is open in this process, or "" when none is.
BOOL CALLBACK firstEntryOfOpenMenu(HWND w, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32768") != 0 || !IsWindowVisible(w)) return TRUE;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(w, kMenuHandleMessage, 0, 0));
    wchar_t text[128] = {};
    if (menu) GetMenuStringW(menu, 0, text, 128, MF_BYPOSITION);
    *reinterpret_cast<std::wstring*>(found) = text;
    return FALSE;
}

std::wstring openMenuFirstEntry() {
    std::wstring first;
    EnumWindows(&firstEntryOfOpenMenu, reinterpret_cast<LPARAM>(&first));
    return first;
}

class KeyboardTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (HasFatalFailure()) return;
        // The menus opened here are the test's to walk and close.
        boxes->setMenuAnswer(tests::gui::ModalWatcher::kMenuHold);
        // Out of the way of the bar's entries: a drop-down follows the cursor over them.
        tests::gui::moveCursorTo(5, GetSystemMetrics(SM_CYSCREEN) - 5);
        activate(window->handle());
    }
    void TearDown() override {
        // A question left open by a failure would keep the program from ending.
        if (HWND q = findTopWindow(kConfirmTitle, false)) PostMessageW(q, WM_CLOSE, 0, 0);
        ProgramFixture::TearDown();
    }
    static bool activate(HWND top) {
        SetForegroundWindow(top);
        return eventually([&] { return GetForegroundWindow() == top; }, 5000);
    }
    HWND control(const wchar_t* classId, const wchar_t* text) const { return window->find(classId, text).handle; }
    bool focusReaches(HWND wanted) const {
        return wanted && eventually([&] { return focusOn(window->handle()) == wanted; }, 3000);
    }
    static bool focusShown(HWND focus) {
        return (SendMessageW(focus, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    }
};

TEST_F(KeyboardTest, TabAndShiftTabWalkTheControlsWithTheFocusShown) {
    const HWND order[] = {control(L"s_gui_win_CheckBox", L"Keep on Top"), control(L"s_gui_win_ComboBox", L""),
                          control(L"s_gui_win_Button", L"Detailed Description >>")};
    for (HWND h : order) ASSERT_NE(nullptr, h);
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        typeKey(VK_TAB);
        ASSERT_TRUE(focusReaches(order[step % 3]));
        EXPECT_TRUE(focusShown(order[step % 3]));
        if (step == 1) shoot(L"keyboard-focus-combo");
    }
    // Now on the combo (the fourth Tab wrapped round to the check box, then one more).
    typeKey(VK_TAB);
    ASSERT_TRUE(focusReaches(order[1]));
    typeKey(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(focusReaches(order[0]));
    typeKey(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(focusReaches(order[2]));
    shoot(L"keyboard-focus-button");
}

TEST_F(KeyboardTest, TheArrowsChooseTheMethodInTheFocusedCombo) {
    const HWND combo = control(L"s_gui_win_ComboBox", L"");
    ASSERT_NE(nullptr, combo);
    typeKey(VK_TAB);
    typeKey(VK_TAB);
    ASSERT_TRUE(focusReaches(combo));
    const auto selection = [&] { return static_cast<int32_t>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); };
    ASSERT_EQ(3, selection()) << "the default method";
    typeKey(VK_UP);
    EXPECT_TRUE(eventually([&] { return selection() == 2; }, 3000));
    typeKey(VK_UP);
    EXPECT_TRUE(eventually([&] { return selection() == 1; }, 3000));
    typeKey(VK_DOWN);
    EXPECT_TRUE(eventually([&] { return selection() == 2; }, 3000));
    EXPECT_TRUE(eventually([&] { return window->find(L"s_gui_win_ComboBox", L"").value == 2; }, 3000))
        << "the program did not hear of the choice";
    shoot(L"keyboard-method");
}

TEST_F(KeyboardTest, AltAndF10OpenTheMenuBarAndTheArrowsWalkIt) {
    struct Case {
        const char* name;
        WORD key;
    } cases[] = {{"Alt", VK_MENU}, {"F10", VK_F10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(activate(window->handle()));
        typeKey(c.key);
        ASSERT_TRUE(eventually([] { return openMenuFirstEntry() == L"Keep on Top"; }, 3000))
            << "no View menu: " << testing::PrintToString(openMenuFirstEntry());
        typeKey(VK_RIGHT);
        EXPECT_TRUE(eventually([] { return openMenuFirstEntry() == L"Translate? (online)"; }, 3000));
        typeKey(VK_RIGHT);
        EXPECT_TRUE(eventually([] { return openMenuFirstEntry() == L"Version Information"; }, 3000));
        if (c.key == VK_MENU) shoot(L"keyboard-menu-about");
        typeKey(VK_RIGHT);  // round to the first again
        EXPECT_TRUE(eventually([] { return openMenuFirstEntry() == L"Keep on Top"; }, 3000));
        typeKey(VK_LEFT);
        EXPECT_TRUE(eventually([] { return openMenuFirstEntry() == L"Version Information"; }, 3000));
        typeKey(VK_ESCAPE);
        EXPECT_TRUE(eventually([] { return openMenuFirstEntry().empty(); }, 3000));
    }
}

TEST_F(KeyboardTest, TheQuestionAnswersEscapeAndReturnAndGivesTheActivationBack) {
    ASSERT_TRUE(box.writeFile(L"kept.txt", "kept"));
    const auto question = [] { return findTopWindow(kConfirmTitle, false); };
    // Shown, active and with the focus on one of its controls: then the keys go to it.
    const auto ready = [&] {
        HWND q = question();
        return q && GetForegroundWindow() == q && focusOn(q) && IsChild(q, focusOn(q));
    };
    dropPaths({L"kept.txt"}, true);
    ASSERT_TRUE(eventually(ready, 10000));
    Sleep(300);
    typeKey(VK_ESCAPE);
    ASSERT_TRUE(eventually([&] { return !question(); }, 5000)) << "Escape did not answer";
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == window->handle(); }, 3000))
        << "the main window is not active after the question";
    Sleep(500);
    EXPECT_EQ(0u, window->countOf(L"ProcessStatusStart")) << "Escape is No";
    EXPECT_TRUE(box.exists(L"kept.txt"));
    shoot(L"keyboard-after-question");

    // The focus on "Don't ask me again" (a click ticks it): Return still answers Yes.
    ASSERT_TRUE(box.writeFile(L"gone.txt", "gone"));
    dropPaths({L"gone.txt"}, true);
    ASSERT_TRUE(eventually(ready, 10000));
    Sleep(300);
    HWND tick = nullptr;
    for (const Control& c : controlsOf(question(), 5000))
        if (c.text == kDontAsk) tick = c.handle;
    ASSERT_NE(nullptr, tick);
    RECT r = {};
    GetWindowRect(tick, &r);
    const POINT at = {r.left + 6, (r.top + r.bottom) / 2};
    // The cursor must stand there before the press (a late motion of the display can carry
    // it back, Wine 8.0 under Xvfb).
    EXPECT_TRUE(eventually(
        [&] {
            tests::gui::mouse(MOUSEEVENTF_MOVE, at.x, at.y);
            POINT now;
            return GetCursorPos(&now) && now.x == at.x && now.y == at.y && WindowFromPoint(now) == tick;
        },
        3000));
    tests::gui::mouse(MOUSEEVENTF_LEFTDOWN);
    tests::gui::mouse(MOUSEEVENTF_LEFTUP);
    const bool focused = eventually([&] { return focusOn(tick) == tick; }, 3000);
    if (focused) typeKey(VK_RETURN);
    const bool answered = eventually([&] { return !question(); }, 5000);
    // Never left open: the program could not end.
    if (!answered && question()) PostMessageW(question(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(focused) << "the click gave the check box no focus";
    ASSERT_TRUE(answered) << "Return did nothing from the check box";
    EXPECT_TRUE(window->waitForEvent(L"ProcessStatusEnd", kRunLimitMs));
    EXPECT_TRUE(eventually([&] { return !box.exists(L"gone.txt"); }, kRunLimitMs));
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == window->handle(); }, 3000));
}

}  // namespace
}  // namespace tests::program
