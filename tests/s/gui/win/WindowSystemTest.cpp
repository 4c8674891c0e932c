// tests/s/gui/win/WindowSystemTest.cpp
//
// A Window's dealings with the system seen through its seams: the tray structure of the
// size XP's shell takes and the icon a released window takes along, the alpha function
// looked up at run time and a failed lookup reported, the grey of windows before Vista,
// and stored settings that leave out what the hover effect has changed.
#include "s/gui/win/Window.h"

#include <atomic>
#include <mutex>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/win/LayeredAlpha.h"
#include "s/gui/win/OsLook.h"
#include "s/gui/win/TrayIcon.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::eventually;
using tests::gui::FakeSettings;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

class WindowSystemTest : public tests::gui::GuiTest {};

// What the tray was asked, as the shell would have seen it; every call succeeds.
struct TrayCall {
    DWORD action;
    DWORD size;
    HWND window;
    UINT flags;
    UINT callback;
};
std::mutex g_trayLock;
std::vector<TrayCall> g_trayCalls;

BOOL WINAPI recordTray(DWORD action, NOTIFYICONDATAW* data) {
    std::lock_guard<std::mutex> lock(g_trayLock);
    g_trayCalls.push_back({action, data->cbSize, data->hWnd, data->uFlags, data->uCallbackMessage});
    return TRUE;
}

std::vector<TrayCall> trayCalls() {
    std::lock_guard<std::mutex> lock(g_trayLock);
    return g_trayCalls;
}

class RecordedTray {
public:
    RecordedTray() {
        std::lock_guard<std::mutex> lock(g_trayLock);
        g_trayCalls.clear();
        setNotifyIconFunction(&recordTray);
    }
    ~RecordedTray() { setNotifyIconFunction(nullptr); }
};

TEST_F(WindowSystemTest, TheTrayIsGivenTheStructureWindowsXpTakes) {
    RecordedTray tray;
    Pooled<Window> window(newWindow());
    window->setTitle(L"Tray size");
    ASSERT_TRUE(window->setTrayIconVisible(true));
    const std::vector<TrayCall> calls = trayCalls();
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), calls[0].action);
    EXPECT_EQ(952u, calls[0].size);  // NOTIFYICONDATAW as XP knows it, not the 956 of later systems
    EXPECT_EQ(window->getHandle(), calls[0].window);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), calls[0].flags);
    EXPECT_EQ(static_cast<UINT>(WM_USER + 2), calls[0].callback);
    window->setTrayIconVisible(false);
}

// Released without being closed first, as the start-up releases its windows.
TEST_F(WindowSystemTest, AReleasedWindowTakesItsTrayIconAlong) {
    RecordedTray tray;
    Window* window = newWindow();
    const HWND handle = window->getHandle();
    ASSERT_TRUE(window->setTrayIconVisible(true));
    window->setTrayIconLocked(true);  // locked against hiding, not against the window's end
    window->releaseToPool();
    const std::vector<TrayCall> calls = trayCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), calls.back().action);
    EXPECT_EQ(handle, calls.back().window);
}

std::atomic<int> g_loads{0};

HMODULE WINAPI failingLoad(LPCWSTR) {
    ++g_loads;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

TEST(LayeredAlphaText, FailedLoadsAreReportedWithTheErrorInDecimal) {
    EXPECT_EQ(L"Failed to Load user32Dll.dll!!\nError Code - 126", alphaLoadFailureText(126));
    EXPECT_EQ(L"Failed to Load user32Dll.dll!!\nError Code - 0", alphaLoadFailureText(0));
    EXPECT_EQ(L"Failed to Load user32Dll.dll!!\nError Code - 4294967295", alphaLoadFailureText(0xFFFFFFFF));
}

// The function is looked up once: a failed load is told once and the window keeps its alpha;
// the lookup made again through the system's loader finds it.
TEST_F(WindowSystemTest, TheAlphaFunctionIsLookedUpAtRunTimeAndAFailedLoadIsTold) {
    Pooled<Window> window(newWindow());
    const HWND handle = window->getHandle();
    g_loads = 0;
    setUser32Loader(&failingLoad);
    window->setAlpha(50, false);
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"Failed to Load user32Dll.dll!!\nError Code - 126", watcher->boxes()[0].text);
    EXPECT_EQ(100, window->getAlpha());
    EXPECT_FALSE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_LAYERED);
    window->setAlpha(40, false);  // looked up already: no second load, no second box
    Sleep(200);
    EXPECT_EQ(1, g_loads.load());
    EXPECT_EQ(1u, watcher->boxes().size());
    setUser32Loader(nullptr);
    window->setAlpha(50, false);
    EXPECT_EQ(50, window->getAlpha());
    EXPECT_TRUE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
    EXPECT_EQ(127, alpha);
    EXPECT_EQ(1u, watcher->boxes().size());
}

// The system's button face of this session is another grey, so the two can be told apart.
TEST_F(WindowSystemTest, BeforeVistaAWindowIsPaintedOnItsOwnGrey) {
    overrideVistaLook(0);
    Window* older = newWindow();
    overrideVistaLook(1);
    Window* newer = newWindow();
    overrideVistaLook(-1);
    EXPECT_EQ(RGB(240, 240, 240), older->getBackgroundColour());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), newer->getBackgroundColour());
    older->releaseToPool();
    newer->releaseToPool();
}

// The hover effect gives the window another size (shrink) or makes it all but invisible
// (fade) for a while: what is stored is where and how big the window stays.
TEST_F(WindowSystemTest, StoredSettingsLeaveOutPlaceAndSizeWhileShrunkOrFaded) {
    FakeSettings settings;
    settings.positioned = true;
    settings.x = 300, settings.y = 200, settings.width = 260, settings.height = 180;
    Pooled<Window> window(newWindow());
    const HWND handle = window->getHandle();
    window->applySettings(&settings, false);
    window->setHoverShrink(true, 30, 120, -1);
    window->show(true, false);
    PostMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(eventually([&] { return window->isShrunk() && window->getWidth() == 120; }, 5000));
    settings.writes = 0;
    window->setPosition(320, 210);
    window->storeSettings();
    EXPECT_EQ(0, settings.writes);
    EXPECT_EQ(300, settings.x);
    EXPECT_EQ(260, settings.width);
    window->setHoverShrink(false, 5, -1, -1);
    EXPECT_FALSE(window->isShrunk());
    window->storeSettings();  // the effect over: stored again
    EXPECT_EQ(320, settings.x);
    EXPECT_EQ(260, settings.width);

    window->setHoverFade(true, 30);
    PostMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(eventually([&] { return window->isFaded(); }, 5000));
    settings.writes = 0;
    window->setPosition(340, 220);
    window->storeSettings();
    EXPECT_EQ(0, settings.writes);
    EXPECT_EQ(320, settings.x);
    window->setHoverFade(false, 5);
    window->storeSettings();
    EXPECT_EQ(340, settings.x);
}

}  // namespace
}  // namespace s::gui::win
