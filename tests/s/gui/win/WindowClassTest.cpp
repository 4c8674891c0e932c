// tests/s/gui/win/WindowClassTest.cpp
//
// The class procedure hands each control its own notifications back.
#include "s/gui/win/WindowClass.h"

#include <atomic>
#include <vector>

#include <gmock/gmock.h>

#include "mfc/CButton.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;

TEST(WindowClass, CommandAndNotifyCodesMapToTheirReflectedMessages) {
    struct Command {
        UINT code, message;
    } commands[] = {{0, 0x8004}, {1, 0x800A}, {5, 0x8005}, {7, 0x800F},
                    {8, 0x8010}, {0x200, 0x8015}, {0x300, 0x800C}, {2, 0}, {0x100, 0}};
    for (const Command& c : commands) EXPECT_EQ(reflectedCommand(c.code), c.message) << c.code;
    struct Notify {
        int code;
        UINT message;
        bool answered;
    } notifies[] = {{-101, 0x8006, false}, {-115, 0x8007, false}, {-109, 0x8008, false},
                    {-176, 0x8009, true},  {-551, 0x800B, true},  {-108, 0x800D, true},
                    {-12, 0x800E, true},   {-310, 0x8011, true},  {-311, 0x8012, true},
                    {-100, 0x8013, true},  {-2, 0, false}};
    for (const Notify& n : notifies) {
        bool answered = !n.answered;
        EXPECT_EQ(reflectedNotify(n.code, &answered), n.message) << n.code;
        EXPECT_EQ(answered, n.answered) << n.code;
    }
}

TEST(WindowClass, RegisteringAgainIsNoFailure) {
    EXPECT_TRUE(registerWindowClass());
    EXPECT_TRUE(registerWindowClass());
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClassName, &type));
    EXPECT_EQ(type.lpfnWndProc, &messageWindowProc);
    EXPECT_EQ(type.style & CS_GLOBALCLASS, UINT(CS_GLOBALCLASS));
    EXPECT_EQ(type.hCursor, nullptr);
}

// A push button that records the reflected messages it is given.
class RecordingButton final : public mfc::CButton {
public:
    std::vector<UINT> reflected;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= 0x8003 && message <= 0x8015) reflected.push_back(message);
        return CButton::WindowProc(message, wParam, lParam);
    }
};

class WindowClassTest : public tests::gui::GuiTest {};

TEST_F(WindowClassTest, ClickedButtonHearsItsOwnReflectedNotification) {
    Pooled<Window> window(s::thread::Pool<Window, 0>::obtain());
    RecordingButton button;
    bool created = false;
    onUiThread(
        *window,
        [&] {
            RECT r = {10, 10, 110, 40};
            mfc::CWnd parent;
            parent.m_hWnd = window->getHandle();  // a view only: not bound
            created = button.Create(L"Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r, &parent, 1000);
            parent.m_hWnd = nullptr;
        },
        kWaitForever);
    ASSERT_TRUE(created);
    window->show(true, false);
    EXPECT_FALSE(tests::gui::saveScreenshot(window->getHandle(), L"window_with_button").empty());
    SendMessageW(button.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_THAT(button.reflected, testing::Contains(0x8004u));  // BN_CLICKED
    onUiThread(*window, [&] { button.DestroyWindow(); }, kWaitForever);
    EXPECT_EQ(button.m_hWnd, nullptr);  // unbound at its last message
}

}  // namespace
}  // namespace s::gui::win
