// tests/s/app/win/StartRulesTest.cpp
#include "s/app/win/StartRules.h"

#include <gmock/gmock.h>

#include "mfc/CWnd.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/WindowClass.h"
#include "s/system/win/OsVersion.h"
#include "s/thread/Pool.h"
#include "support/gui/GuiTest.h"

namespace {

using s::system::win::OsVersion;

// The probe fed with a version, as the start reads it.
OsVersion g_fed;
LONG WINAPI fedVersion(OSVERSIONINFOW* info) {
    info->dwMajorVersion = g_fed.majorVersion;
    info->dwMinorVersion = g_fed.minorVersion;
    info->dwBuildNumber = 1;
    info->dwPlatformId = g_fed.isNt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    return 0;
}

TEST(StartRules, SystemGateWithAnInjectedVersion) {
    struct Row {
        bool nt;
        uint32_t major, minor;
        bool runs;
    };
    const Row rows[] = {{true, 5, 0, false}, {true, 5, 1, true},  {true, 5, 2, true},
                        {true, 5, 3, false}, {true, 6, 0, true},  {true, 6, 1, true},
                        {true, 10, 0, true}, {true, 4, 0, false}, {false, 5, 1, false},
                        {false, 4, 10, false}, {false, 6, 0, false}};
    for (const Row& row : rows) {
        g_fed = OsVersion();
        g_fed.isNt = row.nt;
        g_fed.majorVersion = row.major;
        g_fed.minorVersion = row.minor;
        OsVersion probed;
        s::system::win::fillOsVersion(&probed, &fedVersion, nullptr);
        EXPECT_EQ(row.runs, s::app::win::isSupportedSystem(probed))
            << row.nt << " " << row.major << "." << row.minor;
    }
}

TEST(StartRules, TheRunningSystemPassesTheGate) {
    EXPECT_TRUE(s::app::win::isSupportedSystem(s::system::win::osVersion()));
}

class StartRulesWindow : public tests::gui::GuiTest {};

// The watchdog fails the test if either wait does not end.
TEST_F(StartRulesWindow, WaitingForNoWindowEndsAtOnce) {
    EXPECT_FALSE(s::app::win::waitUntilWindowClosed(nullptr, INFINITE));
}

// The top-level window of the toolkit refused; its hidden owner is made as always.
HWND WINAPI refuseMainWindows(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                              int w, int h, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const bool main = className && !IS_INTRESOURCE(className) &&
                      wcscmp(className, s::gui::win::kWindowClassName) == 0 && (style & WS_CAPTION);
    if (main) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, menu, instance, param);
}

// The fixture's box watcher answers the box: a second watcher beside it would see nothing
// whenever the first had answered the box before it looked.
TEST_F(StartRulesWindow, WaitingForAWindowThatCouldNotBeMadeEndsAtOnce) {
    mfc::CWnd::setCreateWindowFunction(&refuseMainWindows);
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    mfc::CWnd::setCreateWindowFunction(nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_FALSE(s::app::win::waitUntilWindowClosed(window, INFINITE));
    // The box stands on the window's UI thread while the window is made, and the window
    // comes back from its pool once the box was answered.
    const bool seen = watcher->waitForBoxes(1, 15000);
    window->releaseToPool();
    ASSERT_TRUE(seen);
    EXPECT_EQ(L"Window Creation Failed!", watcher->boxes()[0].text);
}

// Its UI thread told to end: the windows go with the thread, and nothing closes the window.
TEST_F(StartRulesWindow, WaitingForAWindowGoneWithoutACloseEndsWithFailure) {
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    ASSERT_NE(nullptr, window->getHandle());
    window->show(true, false);
    HWND handle = window->getHandle();
    ASSERT_TRUE(PostThreadMessageW(window->uiThreadId(), WM_QUIT, 0, 0));
    EXPECT_FALSE(s::app::win::waitUntilWindowClosed(window, INFINITE));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(window->isClosed());
    window->releaseToPool();
}

TEST_F(StartRulesWindow, WaitingWithALimitEndsWithFailureAfterIt) {
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    window->show(true, false);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(s::app::win::waitUntilWindowClosed(window, 200));
    EXPECT_GE(GetTickCount() - start, 190u);
    window->releaseToPool();
}

TEST_F(StartRulesWindow, WaitingEndsWhenTheWindowCloses) {
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    window->show(true, false);
    PostMessageW(window->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(s::app::win::waitUntilWindowClosed(window, INFINITE));
    window->releaseToPool();
}

}  // namespace
