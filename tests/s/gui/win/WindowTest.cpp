// tests/s/gui/win/WindowTest.cpp
//
// A Window driven from the test's thread, which owns no window, as the program's main
// thread drives its windows; every native effect is read back from the system.
#include "s/gui/win/Window.h"

#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/WindowClass.h"
#include "s/system/monitor/win/Monitor.h"
#include "s/system/monitor/win/Monitors.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/StayPut.h"
#include "support/gui/TestPanel.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::FakeLocalizer;
using tests::gui::FakeMenuBar;
using tests::gui::FakeSettings;
using tests::gui::phase;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::TestPanel;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    InternalGetWindowText(window, text, 256);
    return text;
}

RECT rectOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

class WindowTest : public tests::gui::GuiTest {};

std::atomic<int> g_defaultKeys{0};
WNDPROC g_classProc = nullptr;

LRESULT CALLBACK countingDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) ++g_defaultKeys;
    return CallWindowProcW(g_classProc, window, message, wParam, lParam);
}

TEST_F(WindowTest, IsMadeOnItsOwnUiThreadHiddenAndOwnedByTheInvisibleWindow) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    ASSERT_NE(handle, nullptr);
    DWORD uiThread = GetWindowThreadProcessId(handle, nullptr);
    EXPECT_NE(uiThread, GetCurrentThreadId());
    EXPECT_EQ(uiThread, window->uiThreadId());
    wchar_t className[64] = {};
    GetClassNameW(handle, className, 64);
    EXPECT_STREQ(className, kWindowClassName);
    EXPECT_EQ(textOf(handle), L"Window");
    EXPECT_STREQ(window->getTitle(), L"Window");
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(GetWindowLongW(handle, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    EXPECT_TRUE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT r = rectOf(handle);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 120);
    HWND owner = GetWindow(handle, GW_OWNER);
    EXPECT_EQ(owner, window->invisibleHandle());
    EXPECT_EQ(GetWindowThreadProcessId(owner, nullptr), uiThread);
    LONG ownerEx = GetWindowLongW(owner, GWL_EXSTYLE);
    EXPECT_TRUE(ownerEx & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ownerEx & WS_EX_APPWINDOW);
    EXPECT_TRUE(GetWindowLongW(owner, GWL_STYLE) & WS_POPUP);
}

TEST_F(WindowTest, ShownHiddenMovedAndClosedFromAnotherThread) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    ASSERT_NE(handle, nullptr);
    Recorder closing;
    window->addCloseListener(&closing);
    phase("show");
    window->setBounds(100, 120, 320, 200);
    window->show(true, false);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(window->isVisible());
    RECT r = rectOf(handle);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_FALSE(saveScreenshot(handle, L"window_shown").empty());
    phase("move");
    window->setPosition(150, 160);
    r = rectOf(handle);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);
    EXPECT_EQ(window->getX(), 150);
    window->setInnerWidth(300);
    window->setInnerHeight(150);
    RECT client = {};
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 150);
    EXPECT_EQ(window->getInnerWidth(), 300);
    EXPECT_EQ(window->getWidth(), 300 + window->getFrameWidth());
    EXPECT_FALSE(saveScreenshot(handle, L"window_moved").empty());
    phase("hide");
    window->show(false, false);
    EXPECT_FALSE(IsWindowVisible(handle));
    r = rectOf(handle);
    EXPECT_EQ(r.left, 150);  // a hidden top-level window is not parked off-screen
    phase("close");
    window->show(true, false);
    window->close();
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_TRUE(IsWindow(handle));  // closing keeps the native window
    EXPECT_EQ(closing.calls.load(), 1);
    EXPECT_EQ(closing.thread.load(), window->uiThreadId());
    window->close();  // a second close is ignored
    EXPECT_EQ(closing.calls.load(), 1);
    EXPECT_TRUE(window->waitUntilClosed(0));
}

TEST_F(WindowTest, CloseListenerCanVetoAndTheWindowStaysOpen) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    Recorder veto;
    bool vetoing = true;
    veto.action = [&] {
        if (vetoing) window->vetoClose();
    };
    window->addCloseListener(&veto);
    window->show(true, false);
    window->close();
    EXPECT_FALSE(window->isClosed());
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_FALSE(window->waitUntilClosed(50));
    EXPECT_FALSE(saveScreenshot(handle, L"window_close_vetoed").empty());
    vetoing = false;
    PostMessageW(handle, WM_CLOSE, 0, 0);  // the user's close, from the queue
    EXPECT_TRUE(window->waitUntilClosed(5000));
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(veto.calls.load(), 2);
}

// Shown from another thread, an application window is minimised, restored, brought to the
// front and shown, and its own thread serves the user between those steps: a close there (here
// from the activation the restore brings) leaves the window closed and hidden for good, never
// shown again by the steps left.
TEST_F(WindowTest, AWindowClosedWhileItIsShownStaysHidden) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    ASSERT_NE(handle, nullptr);
    window->setAppWindow(true);
    Recorder closer;
    closer.action = [&] { window->close(); };
    window->addActivateListener(&closer);
    window->show(true, true);
    EXPECT_GE(closer.calls.load(), 1);
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(IsWindowVisible(handle));
    Sleep(200);
    EXPECT_FALSE(IsWindowVisible(handle));
}

TEST_F(WindowTest, SentUserEventReachesListenersOnTheUiThreadWithItsResult) {
    Pooled<Window> window(newWindow());
    Recorder listener;
    std::wstring name, text;
    int32_t v1 = 0, v2 = 0;
    listener.action = [&] {
        name = window->getEventName();
        text = window->getEventText();
        v1 = window->getEventValue1();
        v2 = window->getEventValue2();
        window->setEventResult(v1 + v2);
    };
    window->addUserEventListener(&listener);
    EXPECT_EQ(window->sendUserEvent(L"ProcessStatusUpdate", 40, 2, L"C:\\a.txt"), 42);
    EXPECT_EQ(name, L"ProcessStatusUpdate");
    EXPECT_EQ(text, L"C:\\a.txt");
    EXPECT_EQ(v1, 40);
    EXPECT_EQ(v2, 2);
    EXPECT_EQ(listener.thread.load(), window->uiThreadId());
    EXPECT_EQ(listener.lastCode.load(), kEventUser);
    EXPECT_EQ(listener.lastSource, static_cast<IWindow*>(window.get()));
}

TEST_F(WindowTest, PostedUserEventCarriesItsOwnCopyOfTheValues) {
    Pooled<Window> window(newWindow());
    Recorder listener;
    std::wstring seenName, seenText;
    listener.action = [&] {
        const wchar_t* name = window->getEventName();
        const wchar_t* text = window->getEventText();
        seenName = name ? name : L"(none)";
        seenText = text ? text : L"(none)";
    };
    window->addUserEventListener(&listener);
    wchar_t name[] = L"Posted";
    wchar_t text[] = L"first";
    ASSERT_TRUE(window->postUserEvent(name, 1, 2, text));
    wcscpy(name, L"Change");  // the sender's buffers change at once
    wcscpy(text, L"later");
    ASSERT_TRUE(tests::gui::eventually([&] { return listener.calls.load() == 1; }, 5000));
    EXPECT_EQ(seenName, L"Posted");
    EXPECT_EQ(seenText, L"first");
    ASSERT_TRUE(window->postUserEvent(nullptr, 0, 0, nullptr));
    ASSERT_TRUE(tests::gui::eventually([&] { return listener.calls.load() == 2; }, 5000));
    EXPECT_EQ(seenName, L"(none)");
    EXPECT_EQ(seenText, L"(none)");
}

TEST_F(WindowTest, NestedUserEventLeavesTheOuterEventsRecordIntact) {
    Pooled<Window> window(newWindow());
    Recorder listener;
    std::wstring outerAfterInner;
    LRESULT innerResult = 0;
    listener.action = [&] {
        if (wcscmp(window->getEventName(), L"outer") != 0) {
            window->setEventResult(7);
            return;
        }
        window->setEventResult(5);
        innerResult = window->sendUserEvent(L"inner", 0, 0, L"");
        outerAfterInner = window->getEventName();
    };
    window->addUserEventListener(&listener);
    EXPECT_EQ(window->sendUserEvent(L"outer", 0, 0, L""), 5);
    EXPECT_EQ(innerResult, 7);
    EXPECT_EQ(outerAfterInner, L"outer");
}

TEST_F(WindowTest, KeysAreStoredAndOnlyReturnIsConsumed) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    // Between the window and its class procedure: what the default procedure still gets.
    onUiThread(*window.get(), [&] {
        g_classProc = window->m_pfnSuper;
        window->m_pfnSuper = &countingDefault;
    }, kWaitForever);
    Recorder keys;
    bool rewrite = false;
    keys.action = [&] {
        if (rewrite) window->setLastKey(VK_RETURN);
    };
    window->addKeyDownListener(&keys);
    struct Case {
        WPARAM key;
        bool rewrite;
        int reachesDefault;
    } cases[] = {{VK_RETURN, false, 0}, {'A', false, 1}, {VK_SPACE, true, 0}, {VK_F5, false, 1}};
    for (const Case& c : cases) {
        g_defaultKeys = 0;
        rewrite = c.rewrite;
        SendMessageW(handle, WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(g_defaultKeys.load(), c.reachesDefault) << c.key;
        EXPECT_EQ(window->getLastKey(), c.rewrite ? VK_RETURN : int32_t(c.key));
    }
    EXPECT_EQ(keys.calls.load(), 4);
    onUiThread(*window.get(), [&] { window->m_pfnSuper = g_classProc; }, kWaitForever);
}

TEST_F(WindowTest, UserSevenFiresOnlyItsOwnListeners) {
    Pooled<Window> window(newWindow());
    Recorder seven, user, close;
    window->addUser7Listener(&seven);
    window->addUserEventListener(&user);
    window->addCloseListener(&close);
    EXPECT_EQ(SendMessageW(window->getHandle(), kUser7, 0, 0), 0);
    EXPECT_EQ(seven.calls.load(), 1);
    EXPECT_EQ(seven.lastCode.load(), kEventUser7);
    EXPECT_EQ(user.calls.load(), 0);
    EXPECT_EQ(close.calls.load(), 0);
}

TEST_F(WindowTest, ActivationAndCommandsReachTheirListenersAndTheMenuBar) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    Recorder activated, deactivated;
    window->addActivateListener(&activated);
    window->addDeactivateListener(&deactivated);
    // The default procedure may activate the window for real after the sent message
    // (Wine 8.0 does), so each listener hears of it at least once.
    SendMessageW(handle, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_GE(activated.calls.load(), 1);
    EXPECT_EQ(activated.lastCode.load(), kEventActivate);
    EXPECT_TRUE(window->isActive());
    EXPECT_TRUE(IsWindowVisible(window->invisibleHandle()));  // shown, but 0 x 0
    SendMessageW(handle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_GE(deactivated.calls.load(), 1);
    EXPECT_EQ(deactivated.lastCode.load(), kEventDeactivate);
    EXPECT_FALSE(window->isActive());
    FakeMenuBar bar;
    bar.held = {42};
    window->setMenuBar(&bar);
    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(43, 0), 0);
    EXPECT_EQ(bar.chosen.load(), 0u);
    PostMessageW(handle, WM_COMMAND, MAKEWPARAM(42, 0), 0);
    EXPECT_TRUE(tests::gui::eventually([&] { return bar.chosen.load() == 42; }, 5000));
    EXPECT_EQ(bar.chosenOnThread.load(), window->uiThreadId());
    window->setMenuBar(nullptr);
}

TEST_F(WindowTest, StylesAndTopmostAreSetOnTheNativeWindow) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    auto style = [&] { return DWORD(GetWindowLongW(handle, GWL_STYLE)); };
    auto exStyle = [&] { return DWORD(GetWindowLongW(handle, GWL_EXSTYLE)); };
    struct Case {
        const char* what;
        std::function<void(bool)> set;
        std::function<DWORD()> read;
        DWORD bit;
    } cases[] = {
        {"maximize box", [&](bool on) { window->setMaximizeBox(on); }, style, WS_MAXIMIZEBOX},
        {"minimize box", [&](bool on) { window->setMinimizeBox(on); }, style, WS_MINIMIZEBOX},
        {"system menu", [&](bool on) { window->setSystemMenu(on); }, style, WS_SYSMENU},
        {"resizable", [&](bool on) { window->setResizable(on); }, style, WS_THICKFRAME},
        {"caption", [&](bool on) { window->setCaption(on); }, style, WS_CAPTION},
        {"tool window", [&](bool on) { window->setToolWindow(on); }, exStyle, WS_EX_TOOLWINDOW},
        {"client edge", [&](bool on) { window->setClientEdge(on); }, exStyle, WS_EX_CLIENTEDGE},
        {"app window", [&](bool on) { window->setAppWindow(on); }, exStyle, WS_EX_APPWINDOW},
    };
    window->show(true, false);
    for (const Case& c : cases) {
        c.set(true);
        EXPECT_EQ(c.read() & c.bit, c.bit) << c.what;
        c.set(false);
        EXPECT_EQ(c.read() & c.bit, 0u) << c.what;
    }
    EXPECT_TRUE(IsWindowVisible(handle));  // the app-window change hid and showed it again
    // HWND_NOTOPMOST leaves an owned popup topmost (Wine 8.0, checked: it clears an
    // unowned one), and every Window is owned by its invisible window: only the way on is
    // read back from the system.
    window->setTopmost(true);
    EXPECT_TRUE(window->isTopmost());
    EXPECT_TRUE(exStyle() & WS_EX_TOPMOST);
    window->setTopmost(false);
    EXPECT_FALSE(window->isTopmost());
    window->setFramed(false);
    EXPECT_TRUE(style() & WS_POPUP);
    EXPECT_FALSE(exStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(saveScreenshot(handle, L"window_unframed").empty());
    window->setFramed(true);
    EXPECT_FALSE(style() & WS_POPUP);
    EXPECT_EQ(style() & WS_OVERLAPPEDWINDOW, DWORD(WS_OVERLAPPEDWINDOW));
    window->setModalState(true);
    EXPECT_FALSE(IsWindowEnabled(handle));
    window->setModalState(false);
    EXPECT_TRUE(IsWindowEnabled(handle));
}

TEST_F(WindowTest, ChildComponentGetsItsNativeWindowOnTheUiThreadAndLosesItWhenRemoved) {
    Pooled<Window> window(newWindow());
    window->setLayoutManager(tests::gui::StayPut::shared());
    TestPanel* panel = s::thread::Pool<TestPanel>::obtain();
    panel->setMinimumSize(50, 30);
    panel->setBounds(5, 6, 70, 40);
    window->addChild(panel);
    HWND child = panel->m_hWnd;
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(panel->createdOnThread, window->uiThreadId());
    EXPECT_EQ(GetParent(child), window->getHandle());
    EXPECT_EQ(panel->getWindow(), static_cast<IWindow*>(window.get()));
    EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_CHILD);
    RECT r = rectOf(child);
    MapWindowPoints(nullptr, window->getHandle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right - r.left, 70);
    // The window's minimum is the widest child's plus the frame.
    EXPECT_EQ(window->getMinWidth(), 50 + window->getFrameWidth());
    EXPECT_EQ(window->getMinHeight(), 30 + window->getFrameHeight());
    window->setMinWidth(400);
    EXPECT_EQ(window->getMinWidth(), 400);
    panel->setVisible(false, false);
    EXPECT_FALSE(IsWindowVisible(child));
    panel->setPosition(8, 9);  // a layout does not show a hidden component
    EXPECT_FALSE(IsWindowVisible(child));
    window->removeChild(panel, true);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(window->getChildCount(), 0u);
    EXPECT_EQ(window->getMinWidth(), 400);
    window->setMinWidth(-1);
    EXPECT_EQ(window->getMinWidth(), 0);
}

TEST_F(WindowTest, WithoutAManagerOfItsOwnTheWindowStacksItsChildrenInAColumn) {
    Pooled<Window> window(newWindow());
    EXPECT_EQ(window->getLayoutManager(), s::gui::layout::Vertical::shared());
    TestPanel* top = s::thread::Pool<TestPanel>::obtain();
    TestPanel* below = s::thread::Pool<TestPanel>::obtain();
    top->setMinimumSize(50, 30);
    below->setMinimumSize(40, 20);
    window->addChild(top);
    window->addChild(below);
    window->doLayout();
    RECT a = rectOf(top->m_hWnd), b = rectOf(below->m_hWnd);
    EXPECT_EQ(a.bottom - a.top, 30);
    EXPECT_EQ(b.top, a.bottom);  // straight below the first, no gap
    EXPECT_EQ(b.left, a.left);
}

TEST_F(WindowTest, TargetSizeIsTheWorkAreaAndOffScreenWindowsComeBack) {
    Pooled<Window> window(newWindow());
    window->setBounds(100, 100, 300, 200);
    auto* monitor = s::system::monitor::win::monitorFromRect(100, 100, 300, 200);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(window->getTargetWidth(), monitor->workAreaWidth());
    EXPECT_EQ(window->getTargetHeight(), monitor->workAreaHeight());
    window->setFixedWidth(333);
    EXPECT_EQ(window->getTargetWidth(), 333);
    window->setFixedWidth(-1);
    window->sizeToTarget();
    EXPECT_EQ(window->getWidth(), monitor->workAreaWidth());
    window->setSize(300, 200);
    EXPECT_TRUE(window->isOnScreen());
    window->setPosition(5000, 5000);
    EXPECT_FALSE(window->isOnScreen());
    window->setRecentreWhenOffScreen(false);
    EXPECT_TRUE(window->isOnScreen());  // nothing is ever off screen then
    window->setRecentreWhenOffScreen(true);
    window->moveOntoScreen();
    EXPECT_TRUE(window->isOnScreen());
    EXPECT_EQ(window->getX() + 300, GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
    window->centreInParent();
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(window->getX(), work.left + (work.right - work.left - 300) / 2);
    EXPECT_EQ(window->getY(), work.top + (work.bottom - work.top - 200) / 2);
}

TEST_F(WindowTest, LanguageChangeOnAnotherThreadRetitlesTheWindowOnItsOwn) {
    FakeLocalizer localizer;
    localizer.texts[0] = {{10, L"Shredder"}, {20, L"1.5"}};
    localizer.texts[1] = {{10, L"Schredder"}, {20, L"1.5"}};
    FakeSettings settings;
    Pooled<Window> window(newWindow());
    window->applySettings(&settings, false);
    window->setLocalizer(&localizer);
    window->setTitleFromTextIds(10, 20);
    EXPECT_EQ(textOf(window->getHandle()), L"Shredder v1.5");
    Recorder language;
    window->addLanguageListener(&language);
    localizer.switchTo(1);
    EXPECT_EQ(textOf(window->getHandle()), L"Schredder v1.5");
    EXPECT_STREQ(window->getTitle(), L"Schredder v1.5");
    EXPECT_EQ(language.calls.load(), 1);
    EXPECT_EQ(language.thread.load(), window->uiThreadId());
    EXPECT_EQ(settings.language, L"German");
    window->setTitleFromTextIds(10, -1);
    EXPECT_EQ(textOf(window->getHandle()), L"Schredder");
    window->setLocalizer(nullptr);
    EXPECT_TRUE(localizer.listeners.empty());
    // A released window leaves the localizer's list too.
    Window* other = newWindow();
    other->setLocalizer(&localizer);
    EXPECT_EQ(localizer.listeners.size(), 1u);
    other->releaseToPool();
    EXPECT_TRUE(localizer.listeners.empty());
}

TEST_F(WindowTest, ClosersAndTheMiddleClickCloseTheWindow) {
    Pooled<Window> window(newWindow());
    Pooled<TestPanel> closer, stranger;
    window->addCloser(closer.get());
    window->show(true, false);
    window->onEvent(static_cast<IComponent*>(stranger.get()), 1);
    EXPECT_FALSE(window->isClosed());
    window->onEvent(static_cast<IComponent*>(closer.get()), 1);
    EXPECT_TRUE(window->isClosed());

    Pooled<Window> clicked(newWindow());
    Recorder middle;
    clicked->addMiddleDownListener(&middle);
    clicked->show(true, false);
    SendMessageW(clicked->getHandle(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(middle.calls.load(), 1);
    EXPECT_FALSE(clicked->waitUntilClosed(100));  // "DoNothing" by default
    clicked->setMiddleClickAction(L"Close");
    SendMessageW(clicked->getHandle(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(clicked->waitUntilClosed(5000));
}

// A close listener can tell the user's own close from another program's WM_CLOSE: the
// close box, Alt+F4 and the window menu send SC_CLOSE, a middle click set to close posts
// its own; the mark goes with the close it belonged to.
TEST_F(WindowTest, TheUsersCloseIsToldFromAnotherProgramsWmClose) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    Recorder listener;
    std::vector<bool> byUser;
    bool vetoing = true;
    listener.action = [&] {
        byUser.push_back(window->isUserClose());
        if (vetoing) window->vetoClose();
    };
    window->addCloseListener(&listener);
    window->show(true, false);
    window->setMiddleClickAction(L"Close");
    SendMessageW(handle, WM_CLOSE, 0, 0);
    SendMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(handle, WM_CLOSE, 0, 0);
    SendMessageW(handle, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(tests::gui::eventually([&] { return listener.calls.load() == 4; }, 5000));
    SendMessageW(handle, WM_CLOSE, 0, 0);
    window->close();
    EXPECT_EQ((std::vector<bool>{false, true, false, true, false, false}), byUser);
    EXPECT_FALSE(window->isClosed());
    EXPECT_FALSE(window->isUserClose()) << "outside a close";
    vetoing = false;
    window->close();
    EXPECT_TRUE(window->isClosed());
}

TEST_F(WindowTest, SizingIsClampedToTheWorkAreaAndRaisedToTheMinimum) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    Recorder sizing;
    window->addSizingListener(&sizing);
    window->setMinWidth(200);
    window->setMinHeight(100);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    LONG workHeight = work.bottom - work.top;
    struct Case {
        const char* what;
        bool enforce;
        WPARAM edge;
        RECT proposed, expected;
    } cases[] = {
        {"free", false, WMSZ_RIGHT, {100, 100, 150, 150}, {100, 100, 150, 150}},
        {"narrow from the left", true, WMSZ_LEFT, {100, 100, 150, 250}, {-50, 100, 150, 250}},
        {"narrow from the right", true, WMSZ_RIGHT, {100, 100, 150, 250}, {100, 100, 300, 250}},
        {"low from the top", true, WMSZ_TOPLEFT, {100, 100, 400, 150}, {100, 50, 400, 150}},
        {"low from the bottom", true, WMSZ_BOTTOM, {100, 100, 400, 150}, {100, 100, 400, 200}},
        {"too tall from the bottom", false, WMSZ_BOTTOM, {100, 0, 400, workHeight + 300},
         {100, 0, 400, workHeight}},
        {"too tall from the top", false, WMSZ_TOP, {100, -300, 400, workHeight},
         {100, 0, 400, workHeight}},
    };
    for (const Case& c : cases) {
        window->setEnforceMinSize(c.enforce, c.enforce);
        RECT r = c.proposed;
        EXPECT_EQ(SendMessageW(handle, WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&r)), TRUE);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
    EXPECT_EQ(sizing.calls.load(), 7);
}

TEST_F(WindowTest, SettingsAreAppliedAndStoredOnlyWhileShown) {
    FakeLocalizer localizer;
    localizer.texts[0] = {{300, L"Brand"}, {310, L"2.0"}};
    FakeSettings settings;
    settings.givenLocalizer = &localizer;
    settings.titleId = 300;
    settings.positioned = true;
    settings.x = 200, settings.y = 150, settings.width = 360, settings.height = 240;
    settings.keepOnTop = true;
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    window->applySettings(&settings, true);
    EXPECT_EQ(textOf(handle), L"Brand v2.0");
    EXPECT_TRUE(window->isTopmost());
    EXPECT_TRUE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r = rectOf(handle);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.right - r.left, 360);
    settings.writes = 0;
    window->storeSettings();  // hidden: nothing stored
    EXPECT_EQ(settings.writes, 0);
    window->show(true, false);
    EXPECT_EQ(rectOf(handle).left, 200);  // a stored position on screen is kept
    window->setPosition(220, 150);
    window->show(false, false);  // hiding stores what changed, and only that
    EXPECT_EQ(settings.writes, 1);
    EXPECT_EQ(settings.x, 220);
    EXPECT_FALSE(settings.maximized);
    // A stored position off screen is centred when applied.
    settings.x = 6000;
    window->applySettings(&settings, false);
    EXPECT_TRUE(window->isOnScreen());
    EXPECT_EQ(textOf(handle), L"Brand");
    // The session's end closes the window and saves the store.
    SendMessageW(handle, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(window->isShuttingDown());
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(settings.saves, 1);
}

TEST_F(WindowTest, WithoutSettingsAMaximisedWindowReportsSoAndRestores) {
    FakeSettings settings;
    Pooled<Window> window(newWindow());
    window->applySettings(&settings, false);
    Recorder restored;
    window->addRestoreListener(&restored);
    window->show(true, false);
    window->maximise();
    EXPECT_TRUE(window->isMaximised());
    EXPECT_TRUE(settings.maximized);
    EXPECT_FALSE(saveScreenshot(window->getHandle(), L"window_maximised").empty());
    settings.writes = 0;
    window->storeSettings();
    EXPECT_EQ(settings.writes, 0);  // only the maximised state
    window->restore();
    EXPECT_FALSE(window->isMaximised());
    EXPECT_FALSE(settings.maximized);
    EXPECT_GE(restored.calls.load(), 1);
}

}  // namespace
}  // namespace s::gui::win
