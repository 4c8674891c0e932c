// tests/s/gui/win/WindowExtrasTest.cpp
//
// A Window's extras driven from the test's thread: hot keys registered, clashing and
// released; user timers and their stale messages; alpha read back from the system; the
// clipboard-viewer chain kept whole when a member goes; power flags.
#include "s/gui/win/Window.h"

#include <cstdlib>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/WindowTimers.h"
#include "s/gui/win/PopupMenu.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/RealInput.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::eventually;
using tests::gui::Recorder;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

class WindowExtrasTest : public tests::gui::GuiTest {};

// A combination no desktop holds: Ctrl+Alt+Shift+F13.
constexpr int32_t kKey = VK_F13;

TEST_F(WindowExtrasTest, AClashingHotKeyIsReportedAndTheWindowGoesOnWorking) {
    Pooled<Window> first(newWindow());
    Pooled<Window> second(newWindow());
    ASSERT_NE(nullptr, first->getHandle());
    ASSERT_TRUE(first->registerHotKey(true, true, true, false, kKey, L"s-test-hotkey-one", true));
    EXPECT_EQ(1u, first->getHotKeyCount());
    EXPECT_FALSE(second->registerHotKey(true, true, true, false, kKey, L"s-test-hotkey-two", true));
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"(1409) HotKey Alt+Ctrl+Shift+124 has been occupied by another application.",
              watcher->boxes()[0].text);
    EXPECT_EQ(0u, second->getHotKeyCount());
    EXPECT_EQ(0, GlobalFindAtomW(L"s-test-hotkey-two"));
    // Still working: it answers its events and takes another key.
    Recorder user;
    second->addUserEventListener(&user);
    second->sendUserEvent(L"ping", 1, 2, L"");
    EXPECT_EQ(1, user.calls.load());
    EXPECT_TRUE(second->registerHotKey(true, true, true, false, kKey + 1, L"s-test-hotkey-two", false));

    // A report switched off shows nothing.
    EXPECT_FALSE(second->registerHotKey(true, true, true, false, kKey, L"s-test-hotkey-three", false));
    Sleep(200);
    EXPECT_EQ(1u, watcher->boxes().size());

    // Released, the key is free for the other window.
    first->unregisterAllHotKeys();
    EXPECT_EQ(0u, first->getHotKeyCount());
    EXPECT_TRUE(second->registerHotKey(true, true, true, false, kKey, L"s-test-hotkey-three", false));
    second->unregisterHotKey(L"s-test-hotkey-three");
    second->unregisterHotKey(L"s-test-hotkey-two");
    EXPECT_EQ(0u, second->getHotKeyCount());
}

TEST_F(WindowExtrasTest, AWindowThatGoesGivesItsHotKeysBack) {
    Window* window = newWindow();
    ASSERT_TRUE(window->registerHotKey(true, true, true, false, kKey + 3, L"s-test-hotkey-gone", false));
    EXPECT_NE(0, GlobalFindAtomW(L"s-test-hotkey-gone"));
    window->releaseToPool();
    EXPECT_EQ(0, GlobalFindAtomW(L"s-test-hotkey-gone"));
    Pooled<Window> other(newWindow());
    EXPECT_TRUE(other->registerHotKey(true, true, true, false, kKey + 3, L"s-test-hotkey-again", false));
    other->unregisterAllHotKeys();
}

TEST_F(WindowExtrasTest, AHotKeyMessageTellsWhichKeyItWas) {
    Pooled<Window> window(newWindow());
    ASSERT_TRUE(window->registerHotKey(true, true, true, false, kKey + 2, L"s-test-hotkey-own", false));
    Recorder keys;
    window->addHotKeyListener(&keys);
    const ATOM id = GlobalFindAtomW(L"s-test-hotkey-own");
    ASSERT_NE(0, id);
    SendMessageW(window->getHandle(), WM_HOTKEY, id, 0);
    EXPECT_EQ(1, keys.calls.load());
    EXPECT_TRUE(window->isOwnHotKey(L"s-test-hotkey-own"));
    EXPECT_FALSE(window->isOwnHotKey(L"s-test-hotkey-other"));
    window->unregisterAllHotKeys();
}

TEST_F(WindowExtrasTest, AUserTimerReportsItsIdAndAStaleMessageIsIgnored) {
    Pooled<Window> window(newWindow());
    Recorder ticks;
    int32_t seen = -1;
    ticks.action = [&] {
        seen = window->getTimerId();
        window->markTimerHandled();
    };
    window->addTimerListener(&ticks);
    ASSERT_TRUE(window->startTimer(7, 20));
    ASSERT_TRUE(eventually([&] { return ticks.calls.load() >= 2; }, 5000));
    EXPECT_EQ(7, seen);
    window->stopTimer(7);
    const int before = ticks.calls.load();
    // Left in the queue after the timer stopped.
    PostMessageW(window->getHandle(), WM_TIMER, kUserTimerBase + 7, 0);
    SendMessageW(window->getHandle(), WM_NULL, 0, 0);
    Sleep(100);
    EXPECT_EQ(before, ticks.calls.load());
}

LONG exStyleOf(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

TEST_F(WindowExtrasTest, AlphaIsReadBackFromTheSystem) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    // Shown away from the corner other tests paint and read back.
    window->setPosition(400, 550);
    window->show(true, false);
    window->setAlpha(50, false);
    EXPECT_TRUE(exStyleOf(handle) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
    EXPECT_EQ(127, alpha);
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_EQ(50, window->getAlpha());
    window->setAlpha(100, false);
    EXPECT_FALSE(exStyleOf(handle) & WS_EX_LAYERED);
    // Only while topmost: a window that is not stays opaque.
    window->setAlpha(30, true);
    EXPECT_FALSE(exStyleOf(handle) & WS_EX_LAYERED);
    EXPECT_EQ(100, window->getAlpha());
}

// One test for the whole chain: the chain is the session's, shared by every program in it.
TEST_F(WindowExtrasTest, WindowsLeavingTheClipboardChainKeepItWhole) {
    const HWND before = GetClipboardViewer();
    Window* first = newWindow();
    Pooled<Window> second(newWindow());
    Pooled<Window> third(newWindow());
    Recorder firstDraws;
    first->addClipboardListener(&firstDraws);
    first->setClipboardViewer(true);
    EXPECT_EQ(first->getHandle(), GetClipboardViewer());
    EXPECT_TRUE(eventually([&] { return firstDraws.calls.load() >= 1; }, 5000));
    second->setClipboardViewer(true);
    third->setClipboardViewer(true);
    EXPECT_EQ(third->getHandle(), GetClipboardViewer());
    // A change of the clipboard is passed on down the chain.
    const int joined = firstDraws.calls.load();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(eventually([&] { return firstDraws.calls.load() > joined; }, 5000)) << joined;
    // Closed by the user, the second hands its place on.
    PostMessageW(second->getHandle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(second->waitUntilClosed(5000));
    EXPECT_EQ(third->getHandle(), GetClipboardViewer());
    // Released without being told, the first leaves the chain itself on the way.
    first->releaseToPool();
    EXPECT_EQ(third->getHandle(), GetClipboardViewer());
    const int draws = firstDraws.calls.load();
    // The chain still reaches its end: nothing is posted to the windows that went.
    third->setClipboardViewer(false);
    EXPECT_EQ(before, GetClipboardViewer());
    EXPECT_EQ(draws, firstDraws.calls.load());
}

TEST_F(WindowExtrasTest, PowerMessagesSetAndClearTheSuspendedFlag) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    SendMessageW(handle, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_TRUE(window->isSuspended());
    SendMessageW(handle, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_FALSE(window->isSuspended());
    SendMessageW(handle, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageW(handle, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_FALSE(window->isSuspended());
}

// The icon's callback message, as the shell sends it: a left click is reported, a right
// click opens the tray menu whose pick is chosen; once the window closed nothing happens.
TEST_F(WindowExtrasTest, TheTrayCallbackReportsClicksAndOpensTheTrayMenu) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    PopupMenu* menu = PopupMenu::obtain();
    menu->addItem(s::gui::menuitem::newMenuItem(L"Show", 80));
    menu->addItem(s::gui::menuitem::newMenuItem(L"Quit", 81));
    Recorder left, right, chosen;
    menu->addListener(&chosen);
    window->setTrayMenu(menu, true);
    window->addTrayLeftClickListener(&left);
    window->addTrayRightClickListener(&right);
    window->setPosition(300, 800);
    window->show(true, false);
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(1, left.calls.load());
    EXPECT_EQ(s::gui::kEventTrayLeftClick, left.lastCode.load());
    watcher->setMenuAnswer(1);
    PostMessageW(handle, kTrayCallback, 0, WM_RBUTTONDOWN);
    ASSERT_TRUE(watcher->waitForMenus(1, 5000));
    ASSERT_TRUE(eventually([&] { return chosen.calls.load() == 1; }, 5000));
    EXPECT_EQ(81, menu->getChosenCommand());
    EXPECT_EQ(1, right.calls.load());

    PostMessageW(handle, WM_CLOSE, 0, 0);
    ASSERT_TRUE(window->waitUntilClosed(5000));
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    SendMessageW(handle, kTrayCallback, 0, WM_RBUTTONDOWN);
    Sleep(100);
    EXPECT_EQ(1, left.calls.load());
    EXPECT_EQ(1, right.calls.load());
    EXPECT_EQ(1u, watcher->menus().size());
}

using tests::gui::moveCursorTo;

BYTE shownAlpha(HWND window) {
    BYTE alpha = 255;
    DWORD flags = 0;
    if (!(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return 255;
    GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
    return alpha;
}

// By real cursor movement: over the window it fades out, and a second after the cursor
// left it is whole again.
TEST_F(WindowExtrasTest, TheHoverFadeFollowsTheRealCursor) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    // A place of its own: the cursor is the whole screen's.
    window->setBounds(900, 100, 200, 150);
    window->setHoverFade(true, 1);
    window->show(true, true);
    moveCursorTo(1000, 175);
    ASSERT_TRUE(eventually([&] { return window->getAlpha() == 0; }, 5000));
    EXPECT_TRUE(window->isFaded());
    EXPECT_TRUE(window->isHoverEffectActive());
    EXPECT_EQ(0, shownAlpha(handle));
    moveCursorTo(1270, 1010);
    ASSERT_TRUE(eventually([&] { return !window->isHoverEffectActive(); }, 8000));
    EXPECT_EQ(100, window->getAlpha());
    EXPECT_FALSE(window->isFaded());
    EXPECT_EQ(255, shownAlpha(handle));
    // Switched off, the cursor over it changes nothing.
    window->setHoverFade(false, 0);
    moveCursorTo(1000, 175);
    Sleep(200);
    EXPECT_EQ(100, window->getAlpha());
}

TEST_F(WindowExtrasTest, TheHoverShrinkFollowsTheRealCursorAndGivesTheFullSizeBack) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    window->setBounds(900, 400, 240, 160);
    window->setHoverShrink(true, 1, 150, -1);
    window->show(true, true);
    RECT full = {};
    GetWindowRect(handle, &full);
    moveCursorTo(920, 420);
    ASSERT_TRUE(eventually([&] { return window->getWidth() == 150; }, 5000)) << window->getWidth() << " shrunk " << window->isShrunk();
    EXPECT_TRUE(window->isShrunk());
    RECT shrunk = {};
    GetWindowRect(handle, &shrunk);
    EXPECT_EQ(150, shrunk.right - shrunk.left);
    EXPECT_EQ(full.bottom - full.top, shrunk.bottom - shrunk.top);
    EXPECT_FALSE(tests::gui::saveScreenshot(handle, L"window_hover_shrunk").empty());
    moveCursorTo(1270, 1010);
    ASSERT_TRUE(eventually([&] { return !window->isHoverEffectActive(); }, 8000));
    EXPECT_FALSE(window->isShrunk());
    RECT back = {};
    GetWindowRect(handle, &back);
    EXPECT_EQ(full.right - full.left, back.right - back.left);
    EXPECT_EQ(full.bottom - full.top, back.bottom - back.top);
    window->setHoverShrink(false, 0, -1, -1);
}

TEST_F(WindowExtrasTest, ATrayIconShownIsRemovedWhenTheWindowCloses) {
    Pooled<Window> window(newWindow());
    window->setTitle(L"Tray test");
    if (!window->setTrayIconVisible(true)) GTEST_SKIP() << "no notification area in this session";
    EXPECT_TRUE(window->isTrayIconShown());
    PostMessageW(window->getHandle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(window->waitUntilClosed(5000));
    EXPECT_FALSE(window->isTrayIconShown());
}

// The click on the icon takes the activation from the window first: a click within 150 ms
// of losing it counts as a click on the active window and hides it; a later one brings
// the window to the front.
TEST_F(WindowExtrasTest, ATrayClickHidesTheActiveWindowAndBringsItBack) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    Recorder left;
    window->addTrayLeftClickListener(&left);
    window->setTrayClickToggles(true);
    window->setPosition(300, 700);
    window->show(true, true);
    ASSERT_TRUE(window->isActive());
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(window->isHiddenToTray());
    EXPECT_FALSE(IsWindowVisible(handle));
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(window->isHiddenToTray());
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(2, left.calls.load());

    window->bringToFront(false);
    EXPECT_FALSE(window->isActive());
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(window->isHiddenToTray());
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    ASSERT_FALSE(window->isHiddenToTray());

    window->bringToFront(false);
    Sleep(300);
    SendMessageW(handle, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(window->isHiddenToTray());
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(window->isActive());
}

// Closing to the tray by the system menu and iconising by the middle button both hide the
// window there without closing it; the toolkit's restore message brings it back.
TEST_F(WindowExtrasTest, CloseToTrayAndTheMiddleClickHideTheWindowInTheTray) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    window->setPosition(300, 700);
    window->setCloseToTray(true);
    window->show(true, false);
    SendMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(window->isHiddenToTray());
    EXPECT_FALSE(window->isClosed());
    EXPECT_FALSE(IsWindowVisible(handle));
    SendMessageW(handle, kRestore, 0, 0);
    EXPECT_FALSE(window->isHiddenToTray());
    EXPECT_TRUE(IsWindowVisible(handle));

    window->setCloseToTray(false);
    window->setMiddleClickAction(L"Iconize");
    SendMessageW(handle, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(window->isHiddenToTray());
    EXPECT_FALSE(window->isClosed());
    window->restore();
    EXPECT_FALSE(window->isHiddenToTray());
    EXPECT_TRUE(IsWindowVisible(handle));
    // Without close-to-tray the system menu's close closes.
    SendMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(window->waitUntilClosed(5000));
    EXPECT_FALSE(window->isHiddenToTray());
}

// The icon comes with the window into the tray and goes when it leaves, unless it is
// persistent; a locked icon stays when asked to go, until the window closes.
TEST_F(WindowExtrasTest, TheTrayIconFollowsTheWindowUnlessPersistentOrLocked) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    window->setTitle(L"Tray icon");
    if (!window->setTrayIconVisible(true)) GTEST_SKIP() << "no notification area in this session";
    window->setTrayIconVisible(false);
    ASSERT_FALSE(window->isTrayIconShown());
    window->setPosition(300, 700);
    window->show(true, false);
    window->hideToTray();
    EXPECT_TRUE(window->isTrayIconShown());
    SendMessageW(handle, kRestore, 0, 0);
    EXPECT_FALSE(window->isTrayIconShown());
    window->setTrayIconPersistent(true);
    window->hideToTray();
    SendMessageW(handle, kRestore, 0, 0);
    EXPECT_FALSE(window->isHiddenToTray());
    EXPECT_TRUE(window->isTrayIconShown());
    window->setTrayIconLocked(true);
    window->setTrayIconVisible(false);
    EXPECT_TRUE(window->isTrayIconShown());
    PostMessageW(handle, WM_CLOSE, 0, 0);
    ASSERT_TRUE(window->waitUntilClosed(5000));
    EXPECT_FALSE(window->isTrayIconShown());
    EXPECT_FALSE(window->isTrayIconLocked());
}

// While it follows the cursor the window's centre comes to the real cursor.
TEST_F(WindowExtrasTest, AFollowingWindowComesToTheCursor) {
    Pooled<Window> window(newWindow());
    window->setBounds(100, 100, 200, 100);
    window->setCursorFollow(true);
    window->show(true, false);
    SetCursorPos(700, 500);
    auto arrived = [&] {
        return std::abs(window->getX() + 100 - 700) <= 1 && std::abs(window->getY() + 50 - 500) <= 1;
    };
    ASSERT_TRUE(eventually(arrived, 5000)) << window->getX() << ", " << window->getY();
    window->setCursorFollow(false);
    SetCursorPos(200, 200);
    Sleep(300);
    EXPECT_TRUE(arrived());
}

// With only-while-topmost the window is opaque until it is put on top, and again after.
TEST_F(WindowExtrasTest, AlphaOnlyWhileTopmostFollowsTheTopmostState) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    window->setAlpha(50, true);
    EXPECT_EQ(255, shownAlpha(handle));
    window->setTopmost(true);
    EXPECT_EQ(127, shownAlpha(handle));
    window->setTopmost(false);
    EXPECT_EQ(255, shownAlpha(handle));
    EXPECT_EQ(100, window->getAlpha());
}

// A hover effect held back by topmost does nothing until the window is on top.
TEST_F(WindowExtrasTest, AHoverFadeOnlyWhileTopmostWaitsForTopmost) {
    Pooled<Window> window(newWindow());
    window->setBounds(900, 600, 200, 150);
    window->setHoverEffect(true, true, true, 1, -1, -1, false);
    window->show(true, true);
    moveCursorTo(1000, 675);
    Sleep(300);
    EXPECT_EQ(100, window->getAlpha());
    EXPECT_FALSE(window->isHoverEffectActive());
    window->setTopmost(true);
    moveCursorTo(1010, 680);
    ASSERT_TRUE(eventually([&] { return window->getAlpha() == 0; }, 5000));
    window->setHoverEffect(false, false, false, 0, -1, -1, false);
    EXPECT_EQ(100, window->getAlpha());
    EXPECT_FALSE(window->isHoverEffectActive());
    moveCursorTo(1270, 1010);
}

void shiftKey(bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

// With the shift override, holding Shift brings a faded window back at once. (Shift held
// while the cursor moves is not shown here: each motion makes Wine take the modifier keys
// from the X server, which never saw the Shift sent as input; Wine 8.0.)
TEST_F(WindowExtrasTest, HoldingShiftBringsAFadedWindowBack) {
    Pooled<Window> window(newWindow());
    window->setBounds(900, 600, 200, 150);
    window->setHoverEffect(true, true, false, 30, -1, -1, true);
    window->show(true, true);
    moveCursorTo(1000, 675);
    ASSERT_TRUE(eventually([&] { return window->getAlpha() == 0; }, 5000));
    // The cursor stays over it and the delay is 30 s: only Shift brings it back now.
    shiftKey(true);
    const bool back = eventually([&] { return window->getAlpha() == 100; }, 5000);
    shiftKey(false);
    EXPECT_TRUE(back);
    EXPECT_FALSE(window->isHoverEffectActive());
    moveCursorTo(1270, 1010);
}

// Minimising undoes a running shrink: the window comes back at its full size.
TEST_F(WindowExtrasTest, MinimisingAShrunkWindowGivesItsFullSizeBack) {
    Pooled<Window> window(newWindow());
    window->setBounds(900, 400, 240, 160);
    window->setHoverEffect(true, false, false, 30, 150, 100, false);
    window->show(true, true);
    moveCursorTo(920, 420);
    ASSERT_TRUE(eventually([&] { return window->getWidth() == 150 && window->getHeight() == 100; }, 5000));
    window->minimise();
    EXPECT_FALSE(window->isShrunk());
    EXPECT_FALSE(window->isHoverEffectActive());
    moveCursorTo(1270, 1010);
    window->restore();
    ASSERT_TRUE(eventually([&] { return !window->isMinimised(); }, 5000));
    EXPECT_EQ(240, window->getWidth());
    EXPECT_EQ(160, window->getHeight());
}

// When a capture the window asked for ends, it keeps the cursor's place and tells its
// listeners.
TEST_F(WindowExtrasTest, TheEndOfACaptureIsReportedWithTheCursorsPlace) {
    Pooled<Window> window(newWindow());
    Recorder ended;
    window->addCaptureChangedListener(&ended);
    window->show(true, false);
    window->setCapture();
    SetCursorPos(555, 444);
    onUiThread(*window, [] { ReleaseCapture(); }, kWaitForever);
    ASSERT_TRUE(eventually([&] { return ended.calls.load() == 1; }, 5000));
    EXPECT_EQ(s::gui::kEventCaptureChanged, ended.lastCode.load());
    EXPECT_EQ(555, window->getCaptureReleaseX());
    EXPECT_EQ(444, window->getCaptureReleaseY());
    // Only the capture it asked for.
    onUiThread(*window, [&] { SetCapture(window->getHandle()); ReleaseCapture(); }, kWaitForever);
    Sleep(100);
    EXPECT_EQ(1, ended.calls.load());
}

// With keep-on-screen the proposed place is pushed back into the work area.
TEST_F(WindowExtrasTest, KeptOnTheScreenAWindowMovedFarOffStaysInside) {
    Pooled<Window> window(newWindow());
    window->keepOnVirtualScreen(true);
    window->setBounds(5000, 5000, 200, 100);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.right - 200, window->getX());
    EXPECT_EQ(work.bottom - 100, window->getY());
    window->setPosition(-3000, -3000);
    EXPECT_EQ(work.left, window->getX());
    EXPECT_EQ(work.top, window->getY());
}

}  // namespace
}  // namespace s::gui::win
