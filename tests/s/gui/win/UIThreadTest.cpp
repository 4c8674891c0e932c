// tests/s/gui/win/UIThreadTest.cpp
//
// The UI thread's two ways of not coming back: a window that cannot be made, and a thread
// stuck in a listener when its window is released.
#include "s/gui/win/UIThread.h"

#include <atomic>
#include <cwchar>

#include <gmock/gmock.h>

#include "mfc/CWnd.h"
#include "s/gui/IBox.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/WindowClass.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::phase;
using tests::gui::Recorder;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

// The creation seam: refuses the library's window whose style or title the test names.
std::atomic<DWORD> g_refusedStyle{0};
const wchar_t* g_refusedTitle = nullptr;

HWND WINAPI refusingCreate(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x,
                           int y, int w, int h, HWND parent, HMENU menu, HINSTANCE instance,
                           LPVOID param) {
    bool ours = className && !IS_INTRESOURCE(className) && wcscmp(className, kWindowClassName) == 0;
    bool refused = ours && ((g_refusedStyle && (style & g_refusedStyle)) ||
                            (g_refusedTitle && title && wcscmp(title, g_refusedTitle) == 0));
    if (refused) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, menu, instance,
                           param);
}

class UIThreadTest : public tests::gui::GuiTest {
protected:
    void TearDown() override {
        mfc::CWnd::setCreateWindowFunction(nullptr);
        g_refusedStyle = 0;
        g_refusedTitle = nullptr;
        GuiTest::TearDown();
    }
};

TEST_F(UIThreadTest, HiddenOwnerThatCannotBeMadeEndsTheThreadAndTheWaitAtOnce) {
    mfc::CWnd::setCreateWindowFunction(&refusingCreate);
    g_refusedStyle = WS_POPUP;
    phase("constructing a window whose owner is refused");
    Pooled<Window> window(newWindow());
    EXPECT_EQ(window->getHandle(), nullptr);
    EXPECT_EQ(window->invisibleHandle(), nullptr);
    EXPECT_EQ(window->uiThreadId(), 0u);  // the thread has ended and is gone
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    tests::gui::SeenBox box = watcher->boxes()[0];
    EXPECT_EQ(box.caption, L"Error!");
    EXPECT_EQ(box.text, L"Window Creation Failed!");
    EXPECT_EQ(box.owner, nullptr);
    // Every operation that needs a handle does nothing and answers 0 or false.
    EXPECT_EQ(window->sendUserEvent(L"x", 1, 2, L"y"), 0);
    EXPECT_FALSE(window->postUserEvent(L"x", 1, 2, L"y"));
    EXPECT_FALSE(window->askYesNo(L"never shown"));
    window->show(true, true);
    window->close();
    EXPECT_FALSE(window->isClosed());
    EXPECT_EQ(watcher->boxes().size(), 1u);
}

TEST_F(UIThreadTest, VisibleWindowThatCannotBeMadeLeavesAWindowWithoutHandle) {
    mfc::CWnd::setCreateWindowFunction(&refusingCreate);
    g_refusedTitle = L"Window";
    Pooled<Window> window(newWindow());
    EXPECT_EQ(window->getHandle(), nullptr);
    EXPECT_NE(window->invisibleHandle(), nullptr);
    EXPECT_NE(window->uiThreadId(), 0u);  // the thread runs on, serving nothing
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(watcher->boxes()[0].text, L"Window Creation Failed!");
    EXPECT_EQ(window->sendUserEvent(L"x", 0, 0, nullptr), 0);
    EXPECT_FALSE(onUiThread(*window, [] {}, kWaitForever));
    phase("releasing the window without handle");
}

// Blocks the UI thread in a known place: a sleep inside a listener, never left.
std::atomic<bool> g_entered{false};

class StuckListener final : public s::gui::events::IEventListener {
public:
    void onEvent(void*, int32_t) override {
        g_entered = true;
        for (;;) Sleep(20);
    }
};

class UIThreadStopTest : public tests::gui::GuiTest {
protected:
    uint32_t limitMs() const override { return 30000; }
};

TEST_F(UIThreadStopTest, ThreadStuckInAListenerIsSuspendedWithinItsBudget) {
    static StuckListener stuck;  // lives on: the frozen thread still points at it
    Window* window = newWindow();
    ASSERT_NE(window->getHandle(), nullptr);
    window->addUserEventListener(&stuck);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | SYNCHRONIZE, FALSE, window->uiThreadId());
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(window->postUserEvent(L"stick", 0, 0, nullptr));
    ASSERT_TRUE(tests::gui::eventually([] { return g_entered.load(); }, 5000));
    phase("releasing a window whose thread is stuck");
    DWORD start = GetTickCount();
    window->releaseToPool();
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, kStopBudgetMs - 100);  // it was given its whole budget ...
    EXPECT_LE(took, kStopBudgetMs + 1500);  // ... and not much more
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));  // not ended
    DWORD previous = SuspendThread(thread);
    EXPECT_EQ(previous, 1u);  // suspended once, by the stop
    ResumeThread(thread);
    CloseHandle(thread);
}

DWORD WINAPI releaseWindow(void* window) {
    static_cast<Window*>(window)->releaseToPool();
    return 0;
}

// A window with children, a hot key and a place in the clipboard chain, whose thread is
// stuck: everything it would be sent at the release shares the one budget, and once the
// thread is suspended nothing more is sent to it (a send would never return).
TEST_F(UIThreadStopTest, StuckWindowWithChildrenIsReleasedWithinItsBudget) {
    static StuckListener stuck;
    g_entered = false;
    Window* window = newWindow();
    ASSERT_NE(window->getHandle(), nullptr);
    Box* row = newBox(s::gui::IBox::kRow, 0, 100, -1, 0, 0, 0, 0, 0);
    Box* inner = newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 0, 0, 0);
    inner->addChild(newButtonWithText(L"Inner", -1, -1));
    row->addChild(newButtonWithText(L"Outer", -1, -1));
    row->addChild(inner);
    window->addChild(row);
    window->registerHotKey(true, true, true, false, 'K', L"StuckWindowHotKey", false);
    window->setClipboardViewer(true);
    window->addUserEventListener(&stuck);
    ASSERT_TRUE(window->postUserEvent(L"stick", 0, 0, nullptr));
    ASSERT_TRUE(tests::gui::eventually([] { return g_entered.load(); }, 5000));
    phase("releasing a stuck window with children");
    HANDLE releaser = CreateThread(nullptr, 0, &releaseWindow, window, 0, nullptr);
    ASSERT_NE(releaser, nullptr);
    DWORD start = GetTickCount();
    const DWORD waited = WaitForSingleObject(releaser, kStopBudgetMs + 5000);
    const DWORD took = GetTickCount() - start;
    EXPECT_EQ(waited, DWORD(WAIT_OBJECT_0)) << "the release still waits for the stuck thread";
    EXPECT_LE(took, kStopBudgetMs + 1500);
    CloseHandle(releaser);
}

TEST_F(UIThreadStopTest, WindowReleasedOnItsOwnThreadEndsItWithoutWaitingForItself) {
    Window* window = newWindow();
    HWND handle = window->getHandle();
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, window->uiThreadId());
    ASSERT_NE(thread, nullptr);
    DWORD start = GetTickCount();
    // By the handle: nothing of the window may be touched once it has gone.
    onUiThread(handle, [window] { window->releaseToPool(); }, kWaitForever);
    EXPECT_LT(GetTickCount() - start, kStopBudgetMs / 2);
    EXPECT_EQ(WaitForSingleObject(thread, 10000), DWORD(WAIT_OBJECT_0));  // it ended itself
    EXPECT_FALSE(IsWindow(handle));
    CloseHandle(thread);
}

TEST_F(UIThreadStopTest, ReleasedWindowStopsItsThreadAndDestroysBothWindows) {
    Window* window = newWindow();
    HWND handle = window->getHandle();
    HWND owner = window->invisibleHandle();
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, window->uiThreadId());
    ASSERT_NE(thread, nullptr);
    window->show(true, false);
    window->releaseToPool();
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(IsWindow(owner));
    CloseHandle(thread);
}

}  // namespace
}  // namespace s::gui::win
