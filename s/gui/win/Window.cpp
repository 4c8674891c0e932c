// s/gui/win/Window.cpp
#include "s/gui/win/Window.h"

#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <new>
#include <vector>

#include "s/gui/Geometry.h"
#include "s/gui/IMenuBar.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/win/FrameHitTest.h"
#include "s/gui/win/HotKeyText.h"
#include "s/gui/win/LayeredAlpha.h"
#include "s/gui/win/OsLook.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/Skinner.h"
#include "s/image/IBufferedImageSet.h"
#include "s/image/win/BufferedImage.h"
#include "s/system/win/OsVersion.h"
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindowSettings.h"
#include "s/gui/layout/Arrangement.h"
#include "s/gui/layout/ILayoutManager.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/TrayIcon.h"
#include "s/gui/win/UIThread.h"
#include "s/gui/win/Wait.h"
#include "s/gui/win/WheelLines.h"
#include "s/gui/win/WindowClass.h"
#include "s/system/monitor/win/Monitor.h"
#include "s/system/monitor/win/Monitors.h"
#include "s/system/monitor/win/ScreenCapture.h"
#include "s/thread/Pool.h"
#include "s/time/Time.h"

namespace s::gui::win {

namespace {

constexpr int32_t kDefaultWidth = 240;
constexpr int32_t kDefaultHeight = 120;
constexpr DWORD kWaitStepMs = 10;
const wchar_t kRegistrationFailed[] = L"Window Registration Failed!";
const wchar_t kCreationFailed[] = L"Window Creation Failed!";

std::mutex g_workingSetLock;

// While following the cursor the window steps towards it this often.
constexpr UINT_PTR kCursorFollowTimer = 100;
constexpr UINT kCursorFollowMs = 100;
// A tray click this soon after the window lost the activation (the click itself takes it)
// counts as a click on the active window.
constexpr int64_t kTrayToggleMs = 150;

// Either Shift key as it is now, not as the window's queue last saw it.
bool shiftHeld() { return ((GetAsyncKeyState(VK_SHIFT) | GetKeyState(VK_SHIFT)) & 0x8000) != 0; }

bool threadReadyOrEnded(const void* context) {
    return static_cast<const UIThread*>(context)->isReady();
}

bool windowClosed(const void* context) {
    return static_cast<const Window*>(context)->isClosed();
}

// Hiding and showing windows leaves pages the process no longer needs.
void trimWorkingSet() {
    std::lock_guard<std::mutex> lock(g_workingSetLock);
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

s::gui::Rect rectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

s::gui::Rect virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

s::gui::Rect primaryWorkArea() {
    namespace m = s::system::monitor::win;
    return {m::workAreaLeft(), m::workAreaTop(), m::workAreaWidth(), m::workAreaHeight()};
}

// A posted event carries one heap block: the record, then its two texts.
s::gui::UserEvent* copyEvent(const wchar_t* name, int32_t value1, int32_t value2,
                             const wchar_t* text) {
    size_t nameLength = name ? wcslen(name) + 1 : 0;
    size_t textLength = text ? wcslen(text) + 1 : 0;
    size_t size = sizeof(s::gui::UserEvent) + (nameLength + textLength) * sizeof(wchar_t);
    auto* event = static_cast<s::gui::UserEvent*>(std::malloc(size));
    if (!event) return nullptr;
    auto* chars = reinterpret_cast<wchar_t*>(event + 1);
    event->name = name ? static_cast<const wchar_t*>(wmemcpy(chars, name, nameLength)) : nullptr;
    event->text = text ? wmemcpy(chars + nameLength, text, textLength) : nullptr;
    event->value1 = value1;
    event->value2 = value2;
    return event;
}

}  // namespace

Window::Window() {
    m_middleClickAction.setText(L"DoNothing");
    // Before Vista the face of dialogs and windows is this grey, whatever the button face.
    if (!isVistaLook()) m_background = RGB(240, 240, 240);
    m_thread = mfc::CWinThread::beginThread<UIThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_thread) return;
    m_thread->setWindow(this);
    m_thread->ResumeThread();
    // Until the windows are made, or the thread gave up and ended: never for ever.
    waitServingSentMessages(&threadReadyOrEnded, m_thread, m_thread->m_hThread, kWaitStepMs,
                            kWaitForever);
    if (m_thread->isReady()) return;
    WaitForSingleObject(m_thread->m_hThread, INFINITE);
    delete m_thread;
    m_thread = nullptr;
}

Window::~Window() { teardown(); }

bool Window::createWindowsOnUiThread() {
    if (!registerWindowClass()) showStartupWarning(kRegistrationFailed);
    if (!m_invisible.create()) {
        showStartupWarning(kCreationFailed);
        return false;
    }
    m_invisible.ShowWindow(SW_HIDE);
    m_invisible.UpdateWindow();
    if (!CreateEx(WS_EX_CLIENTEDGE, kWindowClassName, L"Window", WS_OVERLAPPEDWINDOW,
                  CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight,
                  m_invisible.m_hWnd, nullptr)) {
        showStartupWarning(kCreationFailed);
        return true;  // the Window lives on without a handle
    }
    m_invisible.setOwned(m_hWnd);
    m_title.setText(L"Window");
    ShowWindow(SW_HIDE);
    UpdateWindow();
    m_visible = false;
    if (m_menuBar) SetMenu(m_menuBar->menuHandle());
    return true;
}

uint32_t Window::uiThreadId() const { return m_thread ? m_thread->m_nThreadID : 0; }

// --- teardown ---------------------------------------------------------------------------

void Window::closeNativeOnUiThread(void* self) {
    auto* window = static_cast<Window*>(self);
    window->show(false, false);
    // A window released without a close must not leave its icon in the tray.
    window->m_trayLocked = false;
    if (window->m_trayShown) window->trayIcon(NIM_DELETE);
    window->m_closed.store(true);
    window->removeAllChildren(true);
    window->drainPostedEvents();
    if (window->m_invisible.m_hWnd)
        ::SendMessageW(window->m_invisible.m_hWnd, kCloseInvisible, 0, 0);
    else
        window->DestroyWindow();
}

// Everything sent to the UI thread here shares the thread's stop budget: a thread that lets
// one send run out is not sent anything more, and once it is suspended (abandoned) its
// windows and those of the children are only forgotten.
void Window::teardown() {
    if (m_tornDown) return;
    m_tornDown = true;
    if (m_localizer) m_localizer->removeListener(this);
    const DWORD start = GetTickCount();
    auto left = [start]() -> DWORD {
        DWORD elapsed = GetTickCount() - start;
        return elapsed < kStopBudgetMs ? kStopBudgetMs - elapsed : 0;
    };
    const bool onUiThread = m_thread && GetCurrentThreadId() == m_thread->m_nThreadID;
    bool answering = m_thread && !UIThread::isAbandoned(m_thread->m_nThreadID);
    const bool hasWindow = m_hWnd != nullptr;
    // The chain must not keep a window that is gone: the next viewer is handed on first.
    if (hasWindow && answering && m_inClipboardChain)
        answering = sendWithin(onUiThread, kRunOnUiThread,
                               reinterpret_cast<WPARAM>(+[](void* w) { static_cast<Window*>(w)->leaveClipboardChain(); }),
                               reinterpret_cast<LPARAM>(this), left());
    // Its hot keys' names are system-wide atoms, which outlive the window unless deleted.
    if (hasWindow && answering && !m_hotKeys.empty())
        answering = sendWithin(onUiThread, kRemoveAllHotKeys, 0, 0, left());
    bool closedThere = !hasWindow;
    if (hasWindow && answering)
        closedThere = answering = sendWithin(onUiThread, kRunOnUiThread, reinterpret_cast<WPARAM>(&closeNativeOnUiThread),
                                             reinterpret_cast<LPARAM>(this), left());
    UIThread::stop(m_thread, answering ? left() : 0);
    m_thread = nullptr;
    // Whatever the UI thread did not get to: windows of an ended thread are gone already,
    // and those of a suspended one are left as they are. Forgotten first, so that taking
    // the children apart sends nothing to them.
    if (!closedThere) {
        forgetNativeWindows(this);
        removeAllChildren(true);
    }
    // Only now: the children leave the language's listeners through their window's localizer.
    m_localizer = nullptr;
    Detach();
    m_invisible.Detach();
    m_invisible.setOwned(nullptr);
    for (auto& list : m_lists) list.clear();
    m_closers.clear();
    setContextMenu(nullptr, false);
    setTrayMenu(nullptr, false);
    releaseLooks();
}

BOOL CALLBACK Window::collectTabStop(HWND child, LPARAM list) {
    if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The next (or previous) control that takes the focus, in window order, wrapping round;
// from the window itself the first (or last). The focus is then shown, as after any key.
void Window::moveFocus(bool backwards) {
    std::vector<HWND> stops;
    EnumChildWindows(m_hWnd, &collectTabStop, reinterpret_cast<LPARAM>(&stops));
    if (stops.empty()) return;
    HWND focus = GetFocus();
    size_t at = stops.size();
    for (size_t i = 0; i < stops.size(); ++i)
        if (stops[i] == focus || IsChild(stops[i], focus)) at = i;
    size_t next;
    if (at == stops.size())
        next = backwards ? stops.size() - 1 : 0;
    else
        next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
    SetFocus(stops[next]);
    ::SendMessageW(m_hWnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// Alt alone or F10 (key 0), or Alt with a letter: the menu bar's drop-down whose caption
// begins with it. Without a menu bar the system's own handling runs.
bool Window::openMenuBarByKey(wchar_t key) {
    MenuEx* bar = nullptr;
    for (uint32_t i = 0; i < getChildCount() && !bar; ++i) bar = dynamic_cast<MenuEx*>(getChild(i));
    if (!bar || !bar->nativeWindow()->m_hWnd) return false;
    bar->openByKey(key);
    return true;
}

void Window::forgetNativeWindows(s::gui::IComponent* component) {
    for (uint32_t i = 0; i < component->getChildCount(); ++i) forgetNativeWindows(component->getChild(i));
    if (mfc::CWnd* native = component->nativeWindow()) native->Detach();
}

// On the UI thread itself the message is handled at once; true when it was handled.
bool Window::sendWithin(bool onUiThread, UINT message, WPARAM wParam, LPARAM lParam, DWORD limitMs) {
    if (onUiThread) {
        ::SendMessageW(m_hWnd, message, wParam, lParam);
        return true;
    }
    DWORD_PTR answer = 0;
    return limitMs > 0 && SendMessageTimeoutW(m_hWnd, message, wParam, lParam, SMTO_NORMAL, limitMs, &answer) != 0;
}

void Window::resetForReuse() { teardown(); }

s::base::IObject* Window::newInstance() const { return s::thread::Pool<Window, 0>::obtain(); }

void Window::releaseToPool() { s::thread::Pool<Window, 0>::release(this); }

// --- geometry ---------------------------------------------------------------------------

RECT Window::windowRect() const {
    RECT r = {m_x, m_y, m_x + m_width, m_y + m_height};
    if (m_hWnd) GetWindowRect(&r);
    return r;
}

RECT Window::clientRect() const {
    RECT r = {0, 0, m_width, m_height};
    if (m_hWnd) GetClientRect(&r);
    return r;
}

int32_t Window::getX() const { return windowRect().left; }
int32_t Window::getY() const { return windowRect().top; }
int32_t Window::getWidth() const { RECT r = windowRect(); return r.right - r.left; }
int32_t Window::getHeight() const { RECT r = windowRect(); return r.bottom - r.top; }
int32_t Window::getInnerWidth() const { return clientRect().right; }
int32_t Window::getInnerHeight() const { return clientRect().bottom; }
int32_t Window::getFrameWidth() const { return getWidth() - getInnerWidth(); }
int32_t Window::getFrameHeight() const { return getHeight() - getInnerHeight(); }
void Window::setInnerWidth(int32_t width) { setWidth(width + getFrameWidth()); }
void Window::setInnerHeight(int32_t height) { setHeight(height + getFrameHeight()); }

void Window::setPosition(int32_t x, int32_t y) { setBounds(x, y, getWidth(), getHeight()); }
void Window::setSize(int32_t width, int32_t height) { setBounds(getX(), getY(), width, height); }

void Window::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
    if (m_hWnd)
        SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t Window::getMinWidth() const {
    if (m_explicitMinWidth >= 0) return m_explicitMinWidth;
    if (m_fixedWidth >= 0) return m_fixedWidth;
    if (!getChildCount()) return 0;
    int32_t widest = 0;
    for (uint32_t i = 0; i < getChildCount(); ++i)
        if (getChild(i)->getMinWidth() > widest) widest = getChild(i)->getMinWidth();
    return widest + getFrameWidth();
}

int32_t Window::getMinHeight() const {
    if (m_explicitMinHeight >= 0) return m_explicitMinHeight;
    if (m_fixedHeight >= 0) return m_fixedHeight;
    if (!getChildCount()) return 0;
    int32_t sum = 0;
    for (uint32_t i = 0; i < getChildCount(); ++i) sum += getChild(i)->getMinHeight();
    return sum + getFrameHeight();
}

int32_t Window::getTargetWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    auto* monitor = s::system::monitor::win::monitorFromRect(getX(), getY(), getWidth(), getHeight());
    return monitor ? monitor->workAreaWidth() : s::system::monitor::win::workAreaWidth();
}

int32_t Window::getTargetHeight() const {
    if (m_fixedHeight >= 0) return m_fixedHeight;
    auto* monitor = s::system::monitor::win::monitorFromRect(getX(), getY(), getWidth(), getHeight());
    return monitor ? monitor->workAreaHeight() : s::system::monitor::win::workAreaHeight();
}

void Window::setEnforceMinSize(bool width, bool height) {
    m_enforceMinWidth = width;
    m_enforceMinHeight = height;
}

void Window::growToMinSize() {
    int32_t width = getWidth(), height = getHeight();
    if (width < getMinWidth()) width = getMinWidth();
    if (height < getMinHeight()) height = getMinHeight();
    setSize(width, height);
}

void Window::centreInParent() {
    s::gui::Rect centred = centredInWorkArea(rectOf(windowRect()), primaryWorkArea());
    setPosition(centred.left, centred.top);
}

bool Window::isOnScreen() const {
    if (!m_recentre) return true;
    return s::gui::isOnScreen(rectOf(windowRect()), virtualScreen());
}

void Window::moveOntoScreen() {
    s::gui::Rect moved = movedOntoScreen(rectOf(windowRect()), virtualScreen());
    setPosition(moved.left, moved.top);
}

// Without a manager of its own a window stacks its children in a column.
s::gui::layout::ILayoutManager* Window::getLayoutManager() const {
    return m_layout ? m_layout : s::gui::layout::Vertical::shared();
}

// Asked again while it places the children (a child that changed, a size that followed):
// the children are placed once more when this pass ends, never inside it.
void Window::doLayout() {
    if (m_arranging) {
        m_childChangedMeanwhile = true;
        return;
    }
    m_arranging = true;
    for (int32_t pass = 0; pass < s::gui::layout::kLayoutPasses; ++pass) {
        m_childChangedMeanwhile = false;
        getLayoutManager()->layout(this);
        if (!m_childChangedMeanwhile) break;
    }
    m_arranging = false;
}

// --- show, hide, front ------------------------------------------------------------------

void Window::setVisible(bool visible, bool) { show(visible, false); }

void Window::show(bool visible, bool activate) {
    if (!m_hWnd) return;
    if (visible) {
        if (m_visible) return;
        m_visible = true;
        if (m_cursorFollow) runOnUiThread(&startCursorFollowHere, this);
        // From another thread each step is a call of its own, and the window's thread serves
        // the user between them: the steps that show the window run on that thread and end
        // once the user closed it there, so that the steps left never show it again.
        if (activate && m_appWindow) runOnUiThread(&showForTaskbarHere, this);
        if (!m_closed.load() && !isMaximised() && m_settings) {
            if (m_settings->getMaximized())
                maximise();
            else if (m_recentre && !m_keepOnVirtualScreen && !m_cursorFollow &&
                     (!m_settings->hasPosition() || !isOnScreen()))
                centreInParent();
        }
        if (activate && !m_closed.load()) bringToFront(true);
        runOnUiThread(&showUnlessClosedHere, this);
    } else {
        storeSettings();
        m_visible = false;
        runOnUiThread(&stopCursorFollowHere, this);
        ShowWindow(SW_HIDE);
    }
    trimWorkingSet();
}

// Minimised and restored, an application window gets its taskbar button. On the UI thread.
void Window::showForTaskbarHere(void* self) {
    auto* w = static_cast<Window*>(self);
    w->ShowWindow(SW_MINIMIZE);
    if (!w->m_closed.load()) w->ShowWindow(SW_RESTORE);
}

void Window::showUnlessClosedHere(void* self) {
    auto* w = static_cast<Window*>(self);
    if (w->m_closed.load()) return;
    w->ShowWindow(SW_SHOW);
    w->RedrawWindow(nullptr, nullptr,
                    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Window::bringToFront(bool front) {
    if (!m_hWnd) return;
    if (!front) {
        SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
        m_deactivationTime = s::time::currentTimeMillis();
        return;
    }
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    if (!m_topmost) SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_active = true;
}

bool Window::isMinimised() const { return m_hWnd && IsIconic(m_hWnd); }
bool Window::isMaximised() const { return m_hWnd && (IsZoomed(m_hWnd) || m_maximised); }
void Window::minimise() {
    if (!m_hWnd) return;
    runOnUiThread(&stopHoverEffectHere, this);
    ShowWindow(SW_MINIMIZE);
}

void Window::maximise() {
    if (!m_hWnd) return;
    runOnUiThread(&stopHoverEffectHere, this);
    ShowWindow(SW_MAXIMIZE);
}
void Window::showNormal() { if (m_hWnd) ShowWindow(SW_SHOWNORMAL); }

void Window::restore() {
    if (!m_hWnd) return;
    if (isMaximised() && m_settings) m_settings->setMaximized(false);
    if (m_hiddenInTray) runOnUiThread([](void* w) { static_cast<Window*>(w)->leaveTray(); }, this);
    ShowWindow(SW_RESTORE);
}

void Window::close() {
    if (!m_hWnd) return;
    if (m_closeToTray) m_hiddenInTray = true;
    SendMessage(WM_CLOSE);
}

bool Window::waitUntilClosed(uint32_t limitMs) {
    return waitServingSentMessages(&windowClosed, this, nullptr, kWaitStepMs, limitMs);
}

// --- styles -----------------------------------------------------------------------------

void Window::modifyStyle(DWORD remove, DWORD add, UINT flags) {
    if (m_hWnd) ModifyStyle(remove, add, flags);
}

void Window::modifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    if (m_hWnd) ModifyStyleEx(remove, add, flags);
}

void Window::setMaximizeBox(bool on) {
    m_maximizeBox = on;
    modifyStyle(on ? 0 : WS_MAXIMIZEBOX, on ? WS_MAXIMIZEBOX : 0, 0);
    if (m_hWnd) DrawMenuBar();
}

void Window::setMinimizeBox(bool on) {
    m_minimizeBox = on;
    modifyStyle(on ? 0 : WS_MINIMIZEBOX, on ? WS_MINIMIZEBOX : 0, 0);
    if (m_hWnd) DrawMenuBar();
}

void Window::setSystemMenu(bool on) {
    modifyStyle(on ? 0 : WS_SYSMENU, on ? WS_SYSMENU : 0, SWP_FRAMECHANGED);
}

void Window::setCaption(bool on) {
    modifyStyle(on ? 0 : WS_CAPTION, on ? WS_CAPTION : 0, SWP_FRAMECHANGED);
}

void Window::setToolWindow(bool on) {
    modifyStyleEx(on ? 0 : WS_EX_TOOLWINDOW, on ? WS_EX_TOOLWINDOW : 0, SWP_FRAMECHANGED);
}

void Window::setClientEdge(bool on) {
    modifyStyleEx(on ? 0 : WS_EX_CLIENTEDGE, on ? WS_EX_CLIENTEDGE : 0, SWP_FRAMECHANGED);
}

void Window::setResizable(bool on) {
    m_resizable = on;
    modifyStyle(on ? 0 : WS_THICKFRAME, on ? WS_THICKFRAME : 0, SWP_FRAMECHANGED);
}

void Window::setFramed(bool on) {
    DWORD boxes = (m_maximizeBox ? WS_MAXIMIZEBOX : 0) | (m_minimizeBox ? WS_MINIMIZEBOX : 0);
    DWORD edges = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    if (on) {
        modifyStyle(WS_POPUP | WS_SYSMENU | boxes, WS_OVERLAPPEDWINDOW, 0);
        modifyStyleEx(0, edges, SWP_FRAMECHANGED);
    } else {
        modifyStyle(WS_OVERLAPPEDWINDOW, WS_POPUP | WS_SYSMENU | boxes, 0);
        modifyStyleEx(edges, 0, SWP_FRAMECHANGED);
    }
}

void Window::setAppWindow(bool on) {
    m_appWindow = on;
    if (!m_hWnd) return;
    bool shown = IsWindowVisible(m_hWnd) != FALSE;
    if (shown) ShowWindow(SW_HIDE);
    modifyStyleEx(on ? 0 : WS_EX_APPWINDOW, on ? WS_EX_APPWINDOW : 0, 0);
    if (shown) ShowWindow(SW_SHOW);
}

void Window::setModalState(bool modal) {
    if (!m_hWnd) return;
    if (modal)
        BeginModalState();
    else
        EndModalState();
}

void Window::setTopmost(bool on) {
    m_topmost = on;
    if (!m_hWnd) return;
    UINT show = m_visible ? SWP_SHOWWINDOW : 0;
    SetWindowPos(on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | show);
    if (m_alphaOnlyTopmost) runOnUiThread([](void* w) { static_cast<Window*>(w)->applyAlpha(); }, this);
}

void Window::setMiddleClickAction(const wchar_t* action) {
    m_middleClickAction.setText(action ? action : L"DoNothing");
}

void Window::setContextMenu(s::gui::IPopupMenu* menu, bool owned) {
    if (m_contextMenuOwned && m_contextMenu != menu) {
        if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(m_contextMenu)) poolable->releaseToPool();
    }
    m_contextMenu = menu;
    m_contextMenuOwned = menu && owned;
    if (menu) menu->setHost(this);
}

void Window::setMenuBar(s::gui::IMenuBar* menuBar) {
    m_menuBar = menuBar;
    if (m_hWnd) SetMenu(menuBar ? menuBar->menuHandle() : nullptr);
}

// --- titles and language ----------------------------------------------------------------

void Window::setTitle(const wchar_t* title) {
    m_title.setText(title ? title : L"");
    if (m_hWnd) SetWindowText(m_title.cString());
    if (m_trayShown) updateTrayIcon();
}

void Window::setTitleFromTextIds(int32_t titleId, int32_t versionId) {
    m_titleId = titleId;
    m_versionId = versionId;
    if (!m_localizer || titleId == -1) return;
    s::str::strbuffer::StrBuffer title;
    title.setText(m_localizer->getText(titleId));
    if (versionId != -1) {
        title.append(L" v");
        title.append(m_localizer->getText(versionId));
    }
    setTitle(title.cString());
}

void Window::setLocalizer(s::gui::ITextLocalizer* localizer) {
    if (m_localizer == localizer) return;
    if (m_localizer) m_localizer->removeListener(this);
    m_localizer = localizer;
    if (!localizer) return;
    localizer->addListener(this);
    setTitleFromTextIds(m_titleId, m_versionId);
}

void Window::languageChanged() {
    if (!m_localizer) return;
    if (m_settings) m_settings->setLanguage(m_localizer->currentLanguageName());
    setTitleFromTextIds(m_titleId, m_versionId);
    fire(kEventLanguage);
}

void Window::languageChangedOnUiThread(void* self) { static_cast<Window*>(self)->languageChanged(); }

void Window::addCloser(s::gui::IComponent* component) {
    if (component) m_closers.add(component);
}

void Window::onEvent(void* source, int32_t) {
    if (source && m_localizer && source == static_cast<void*>(m_localizer)) {
        // The language may change on any thread; the window re-titles on its own.
        if (!runOnUiThread(&languageChangedOnUiThread, this)) languageChanged();
        return;
    }
    if (source && m_closers.indexOf(source)) close();
}

// --- settings ---------------------------------------------------------------------------

void Window::applySettings(s::gui::IWindowSettings* settings, bool withVersion) {
    m_settings = settings;
    if (!settings) return;
    applyIconSet(settings->iconSet());
    if (s::gui::ITextLocalizer* localizer = settings->localizer()) setLocalizer(localizer);
    int32_t titleId = settings->titleTextId();
    setTitleFromTextIds(titleId, withVersion && titleId != -1 ? titleId + 10 : -1);
    if (s::gui::drawer::Skinner* skinner = settings->skinner()) setSkinner(skinner);
    setEasyDrag(settings->getEasyDrag());
    setTopmost(settings->getKeepOnTop());
    setMiddleClickAction(settings->getMiddleClickAction());
    if (settings->hasPosition()) {
        setBounds(settings->getX(), settings->getY(), settings->getWidth(), settings->getHeight());
        if (!isOnScreen()) centreInParent();
    } else {
        setSize(settings->getWidth(), settings->getHeight());
    }
}

void Window::storeSettings() {
    if (!m_settings || !m_visible || !m_hWnd) return;
    if (isMaximised()) {
        m_settings->setMaximized(true);
        return;
    }
    if (isMinimised()) return;
    m_settings->setMaximized(false);
    // Shrunk or faded by the hover effect, the window is not where and how big it stays.
    if (isShrunk() || isFaded()) return;
    RECT r = windowRect();
    if (m_settings->getX() != r.left) m_settings->setX(r.left);
    if (m_settings->getY() != r.top) m_settings->setY(r.top);
    if (m_settings->getWidth() != r.right - r.left) m_settings->setWidth(r.right - r.left);
    if (m_settings->getHeight() != r.bottom - r.top) m_settings->setHeight(r.bottom - r.top);
}

void Window::rememberNormalBounds() { m_normalBounds = windowRect(); }

void Window::passNormalBounds(bool maximised) {
    if (!m_settings) return;
    m_settings->setMaximized(maximised);
    const RECT& r = m_normalBounds;
    if (r.right <= r.left || r.bottom <= r.top) return;
    m_settings->setX(r.left);
    m_settings->setY(r.top);
    m_settings->setWidth(r.right - r.left);
    m_settings->setHeight(r.bottom - r.top);
}

// --- cross-thread operations ------------------------------------------------------------

bool Window::runOnUiThread(void (*function)(void*), void* argument) {
    if (!m_hWnd || !function) return false;
    if (GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId())
        function(argument);
    else
        ::SendMessageW(m_hWnd, kRunOnUiThread, reinterpret_cast<WPARAM>(function),
                       reinterpret_cast<LPARAM>(argument));
    return true;
}

LRESULT Window::sendUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                              const wchar_t* text) {
    if (!m_hWnd) return 0;
    s::gui::UserEvent event = {name, value1, value2, text};
    return ::SendMessageW(m_hWnd, kUserEvent, reinterpret_cast<WPARAM>(&event), 0);
}

bool Window::postUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                           const wchar_t* text) {
    if (!m_hWnd) return false;
    s::gui::UserEvent* copy = copyEvent(name, value1, value2, text);
    if (!copy) return false;
    if (::PostMessageW(m_hWnd, kUserEvent, reinterpret_cast<WPARAM>(copy), kPostedEvent))
        return true;
    std::free(copy);
    return false;
}

void Window::drainPostedEvents() {
    MSG message;
    while (PeekMessageW(&message, m_hWnd, kUserEvent, kUserEvent, PM_REMOVE))
        if (message.lParam == kPostedEvent) std::free(reinterpret_cast<void*>(message.wParam));
}

void Window::showInformation(const wchar_t* text) {
    if (m_hWnd) ::SendMessageW(m_hWnd, kShowInfo, reinterpret_cast<WPARAM>(text), 0);
}

void Window::showError(const wchar_t* text) {
    if (m_hWnd) ::SendMessageW(m_hWnd, kShowError, reinterpret_cast<WPARAM>(text), 0);
}

bool Window::askYesNo(const wchar_t* text) {
    return m_hWnd && ::SendMessageW(m_hWnd, kAskYesNo, reinterpret_cast<WPARAM>(text), 0) == 1;
}

// --- listeners --------------------------------------------------------------------------

void Window::addListener(int32_t code, s::gui::events::IEventListener* listener) {
    if (code >= 1 && code <= kWindowEventCount) m_lists[code - 1].add(listener);
}

void Window::removeListener(int32_t code, s::gui::events::IEventListener* listener) {
    if (code >= 1 && code <= kWindowEventCount) m_lists[code - 1].remove(listener);
}

void Window::fire(int32_t code) {
    m_lists[code - 1].fire(static_cast<s::gui::IWindow*>(this), code);
}

// --- message dispatch -------------------------------------------------------------------

bool Window::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    return windowProc(result, message, wParam, lParam);
}

void Window::afterDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE || message == WM_WINDOWPOSCHANGED) onSizeOrMove(message, wParam, lParam);
    // A close the system did not carry out (its close item disabled) leaves no mark for a
    // later WM_CLOSE of another program.
    if (message == WM_SYSCOMMAND) m_userCloseAsked = false;
}

bool Window::onClose() {
    if (m_closed.load()) return true;
    m_veto = false;
    m_userClose = m_userCloseAsked;
    m_userCloseAsked = false;
    fire(kEventClose);
    m_userClose = false;
    if (m_veto) return true;
    show(false, false);
    leaveClipboardChain();
    m_trayLocked = false;
    if (m_trayShown) trayIcon(NIM_DELETE);
    ::KillTimer(m_hWnd, kCursorFollowTimer);
    m_closed.store(true);
    return true;
}

void Window::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) {
        // SW_SHOWNA: the 0 x 0 owner must never take the activation from this window.
        if (m_invisible.m_hWnd) m_invisible.ShowWindow(SW_SHOWNA);
        fire(kEventActivate);
        m_active = true;
        m_deactivationTime = 0;
        return;
    }
    fire(kEventDeactivate);
    if (m_active) m_deactivationTime = s::time::currentTimeMillis();
    m_active = false;
}

void Window::onUserEvent(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* event = reinterpret_cast<s::gui::UserEvent*>(wParam);
    // A listener inside a modal loop may let another event through: each sees its own.
    s::gui::UserEvent outer = m_event;
    LRESULT outerResult = m_eventResult;
    m_event = event ? *event : s::gui::UserEvent{};
    m_eventResult = 0;
    fire(kEventUser);
    *result = m_eventResult;
    m_event = outer;
    m_eventResult = outerResult;
    if (lParam == kPostedEvent) std::free(event);
}

void Window::openContextMenu() {
    fire(kEventContextMenu);
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (m_contextMenu) m_contextMenu->track(cursor.x, cursor.y, this);
}

bool Window::onCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != 0 || lParam != 0) return false;
    uint32_t id = LOWORD(wParam);
    if (m_menuBar && m_menuBar->hasCommand(id)) {
        m_menuBar->choose(id);
        return true;
    }
    if (m_trayMenu && m_trayMenu->hasCommand(static_cast<int32_t>(id))) {
        m_trayMenu->choose(static_cast<int32_t>(id));
        return true;
    }
    if (m_contextMenu && m_contextMenu->hasCommand(static_cast<int32_t>(id))) {
        m_contextMenu->choose(static_cast<int32_t>(id));
        return true;
    }
    return false;
}

void Window::onWheel(WPARAM wParam, LPARAM lParam) {
    int32_t x = static_cast<int16_t>(LOWORD(lParam));
    int32_t y = static_cast<int16_t>(HIWORD(lParam));
    for (uint32_t i = 0; i < getChildCount(); ++i) {
        s::gui::IComponent* child = getChild(i);
        if (!child->isContainer() || !child->containsScreenPoint(x, y)) continue;
        HWND handle = child->nativeWindow()->m_hWnd;
        if (handle && ::SendMessageW(handle, WM_MOUSEWHEEL, wParam, lParam) == 0) return;
    }
    if (m_lists[kEventWheel - 1].isEmpty()) return;
    m_wheelLines = wheelLinesOf(wParam);
    fire(kEventWheel);
}

bool Window::windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ComponentBase<s::gui::IWindow>::handleMessage(result, message, wParam, lParam)) return true;
    *result = 0;
    if (onExtraMessage(result, message, wParam, lParam)) return true;
    if (onFrameMessage(result, message, wParam, lParam)) return true;
    switch (message) {
    case WM_ACTIVATE:
        onActivate(wParam);
        return false;
    case WM_CLOSE:
        return onClose();
    case WM_ENDSESSION:
        if (wParam && lParam == 0) {
            m_shuttingDown = true;
            if (!m_closed.load()) {
                SendMessage(WM_CLOSE);
                if (m_settings) m_settings->saveStore();
            }
        }
        return false;
    case WM_GETDLGCODE:
        *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    case WM_NCHITTEST:
        if (!m_easyDrag && !m_drawer) return false;
        *result = hitTest(DefWindowProc(message, wParam, lParam), lParam);
        return true;
    case WM_WINDOWPOSCHANGING:
        if (m_keepOnVirtualScreen) keepProposedOnScreen(reinterpret_cast<WINDOWPOS*>(lParam));
        fire(kEventPositionChanging);
        return m_drawer != nullptr;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE) && !IsIconic(m_hWnd)) {
            if (!m_drawer)
                doLayout();
            else if (onDrawerPositionChanged(), !isShrunk())
                doLayout();
        }
        return false;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (m_cursorFollow || m_hideCursor) ::SetCursor(nullptr);
        onFrameMouse();
        fire(kEventMouseMove);
        return false;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        if (startFrameDrag()) return true;
        fire(kEventLeftDown);
        SetFocus(m_hWnd);
        return false;
    case WM_LBUTTONUP:
        fire(kEventLeftUp);
        finishFrameDrag();
        SetFocus(m_hWnd);
        return false;
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        fire(kEventDoubleClick);
        return !m_passDoubleClicks;
    case WM_MBUTTONDOWN:
        fire(kEventMiddleDown);
        if (wcscmp(m_middleClickAction.cString(), L"Close") == 0) {
            m_userCloseAsked = true;
            PostMessage(WM_CLOSE);
        }
        if (wcscmp(m_middleClickAction.cString(), L"Iconize") == 0) hideToTray();
        return false;
    case WM_RBUTTONDOWN:
        fire(kEventRightDown);
        if (m_contextMenu) openContextMenu();
        return false;
    case WM_RBUTTONUP:
        fire(kEventRightUp);
        return false;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        // Easy drag made a right click in the body a caption click: it is the body's all the
        // same, never the caption's system menu.
        if (!isEasyDragClick(wParam, lParam)) return false;
        fire(message == WM_NCRBUTTONDOWN ? kEventRightDown : kEventRightUp);
        if (message == WM_NCRBUTTONDOWN && m_contextMenu) openContextMenu();
        return true;
    case WM_KEYDOWN:
        m_lastKey = static_cast<int32_t>(wParam);
        fire(kEventKeyDown);
        if (m_lastKey == VK_RETURN) return true;
        if (m_keyboardNavigation && m_lastKey == VK_TAB) {
            moveFocus(GetKeyState(VK_SHIFT) < 0);
            return true;
        }
        // Not consumed: the control that passed the key on runs its own default with it
        // (Space presses a button, the arrows choose in a combo box).
        DefWindowProc(message, wParam, lParam);
        *result = 1;
        return true;
    case WM_COMMAND:
        return onCommand(wParam, lParam);
    case WM_MOUSEWHEEL:
        onWheel(wParam, lParam);
        return true;
    case WM_SIZING:
        onSizing(wParam, reinterpret_cast<RECT*>(lParam));
        *result = TRUE;
        return true;
    case kUserEvent:
        onUserEvent(wParam, lParam, result);
        return true;
    case kRestore:
        if (m_hiddenInTray) leaveTray();
        if (IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
        bringToFront(true);
        return true;
    case kShowInfo:
        showInfoMessage(reinterpret_cast<const wchar_t*>(wParam));
        return true;
    case kShowError:
        showErrorMessage(reinterpret_cast<const wchar_t*>(wParam));
        return true;
    case kAskYesNo:
        *result = s::gui::win::askYesNo(reinterpret_cast<const wchar_t*>(wParam)) ? 1 : 0;
        return true;
    case kUser7:
        fire(kEventUser7);
        return true;
    case kCloseInvisible:
        if (m_invisible.m_hWnd) ::SendMessageW(m_invisible.m_hWnd, kCloseInvisible, 0, 0);
        return true;
    case kRunOnUiThread:
        if (wParam) reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
        return true;
    default:
        return false;
    }
}

void Window::onSizing(WPARAM edge, RECT* rect) {
    m_sizingEdge = static_cast<int32_t>(edge);
    m_sizingRect = *rect;
    auto* monitor = s::system::monitor::win::monitorFromRect(
        rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    int32_t workHeight = monitor ? monitor->workAreaHeight() : s::system::monitor::win::workAreaHeight();
    bool bottomEdge = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    if (workHeight > 0 && m_sizingRect.bottom - m_sizingRect.top > workHeight) {
        if (bottomEdge)
            m_sizingRect.bottom = m_sizingRect.top + workHeight;
        else
            m_sizingRect.top = m_sizingRect.bottom - workHeight;
    }
    fire(kEventSizing);
    *rect = m_sizingRect;
    bool leftEdge = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool topEdge = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    if (m_enforceMinWidth && rect->right - rect->left < getMinWidth()) {
        if (leftEdge)
            rect->left = rect->right - getMinWidth();
        else
            rect->right = rect->left + getMinWidth();
    }
    if (m_enforceMinHeight && rect->bottom - rect->top < getMinHeight()) {
        if (topEdge)
            rect->top = rect->bottom - getMinHeight();
        else
            rect->bottom = rect->top + getMinHeight();
    }
}

void Window::onSizeOrMove(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (wParam == SIZE_RESTORED) {
            if (m_maximised) {
                m_maximised = false;
                doLayout();
                storeSettings();
            }
            fire(kEventRestore);
        } else if (wParam == SIZE_MINIMIZED) {
            m_maximised = false;
            passNormalBounds(false);
        } else if (wParam == SIZE_MAXIMIZED) {
            m_maximised = true;
            doLayout();
            passNormalBounds(true);
        }
        fire(kEventResize);
        return;
    }
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!(pos->flags & SWP_NOMOVE)) fire(kEventMove);
    bool neither = (pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE);
    if (!neither && !IsZoomed(m_hWnd) && !IsIconic(m_hWnd)) rememberNormalBounds();
}

// --- hot keys, user timers, alpha, clipboard chain, power -------------------------------

namespace {

struct HotKeyRequest {
    uint32_t modifiers;
    uint32_t key;
    const wchar_t* name;
    bool report;
    const wchar_t* failure;
};

}  // namespace

bool Window::registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key, const wchar_t* name,
                            bool report) {
    if (!m_hWnd || !name) return false;
    unregisterHotKey(name);
    const std::wstring failure = hotKeyClashText(alt, ctrl, shift, win, key);
    const bool noRepeat = s::system::win::osVersion().isVersion61OrLater;
    HotKeyRequest request = {hotKeyModifiers(alt, ctrl, shift, win, noRepeat), static_cast<uint32_t>(key), name,
                             report, failure.c_str()};
    return ::SendMessageW(m_hWnd, kAddHotKey, reinterpret_cast<WPARAM>(&request), 0) == 1;
}

LRESULT Window::addHotKeyHere(const void* request) {
    const auto* r = static_cast<const HotKeyRequest*>(request);
    const ATOM id = GlobalAddAtomW(r->name);
    if (id && RegisterHotKey(m_hWnd, id, r->modifiers, r->key)) {
        m_hotKeys.push_back(r->name);
        return 1;
    }
    const DWORD error = GetLastError();
    // The atom was only for this key; a clash must not leave it behind.
    if (id) GlobalDeleteAtom(id);
    if (r->report) {
        const std::wstring text = L"(" + std::to_wstring(error) + L") " + r->failure;
        s::gui::win::showInfoMessage(text.c_str());
    }
    return 0;
}

void Window::unregisterHotKey(const wchar_t* name) {
    if (m_hWnd && name) ::SendMessageW(m_hWnd, kRemoveHotKey, reinterpret_cast<WPARAM>(name), 0);
}

void Window::unregisterAllHotKeys() {
    if (m_hWnd) ::SendMessageW(m_hWnd, kRemoveAllHotKeys, 0, 0);
}

void Window::removeHotKeyHere(const wchar_t* name) {
    for (auto i = m_hotKeys.begin(); i != m_hotKeys.end(); ++i) {
        if (*i != name) continue;
        const ATOM id = GlobalFindAtomW(name);
        if (id) {
            UnregisterHotKey(m_hWnd, id);
            GlobalDeleteAtom(id);
        }
        m_hotKeys.erase(i);
        return;
    }
}

bool Window::isOwnHotKey(const wchar_t* name) const {
    const ATOM id = name ? GlobalFindAtomW(name) : 0;
    return id && id == m_lastHotKey;
}

bool Window::startTimer(int32_t id, uint32_t periodMs) {
    if (!m_hWnd || id < 0) return false;
    stopTimer(id);
    return ::SendMessageW(m_hWnd, kStartTimer, static_cast<WPARAM>(id), static_cast<LPARAM>(periodMs)) == 1;
}

void Window::stopTimer(int32_t id) {
    if (m_hWnd && id >= 0) ::SendMessageW(m_hWnd, kStopTimer, static_cast<WPARAM>(id), 0);
}

bool Window::onUserTimer(WPARAM timer) {
    const int32_t id = static_cast<int32_t>(timer - kUserTimerBase);
    bool running = false;
    for (int32_t t : m_timers) running = running || t == id;
    // Still queued when its timer stopped or the window closed down: nobody waits for it.
    if (!running || m_tornDown) return true;
    m_timerId = id;
    m_timerHandled = false;
    fire(kEventTimer);
    return m_timerHandled;
}

void Window::setAlpha(int32_t percent, bool onlyWhileTopmost) {
    m_alphaTarget = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    m_alphaOnlyTopmost = onlyWhileTopmost;
    if (m_hWnd) runOnUiThread([](void* w) { static_cast<Window*>(w)->applyAlpha(); }, this);
}

void Window::applyAlpha() { showAlpha(m_alphaOnlyTopmost && !m_topmost ? 100 : m_alphaTarget); }

void Window::showAlpha(int32_t value) {
    if (value == m_alpha) return;
    if (value < 100) {
        DWORD loadError = 0;
        SetLayeredAlphaFunction setAlpha = layeredAlphaFunction(&loadError);
        if (loadError) showInfoMessage(alphaLoadFailureText(loadError).c_str());
        // Without the function the window keeps the alpha it has.
        if (!setAlpha) return;
        modifyStyleEx(0, WS_EX_LAYERED, 0);
        int32_t byte = value * 255 / 100;
        setAlpha(m_hWnd, 0, static_cast<BYTE>(byte < 0 ? 0 : byte > 255 ? 255 : byte), LWA_ALPHA);
    } else {
        modifyStyleEx(WS_EX_LAYERED, 0, 0);
    }
    m_alpha = value;
}

// Fade timers: 3 lowers the alpha, 1 counts down while the cursor is away, 2 raises it.
namespace {
constexpr UINT_PTR kFadeWait = 1, kFadeIn = 2, kFadeOut = 3;
constexpr UINT kFadeWaitMs = 500, kFadeInMs = 25, kFadeOutMs = 10;
}  // namespace

void Window::setHoverFade(bool on, int32_t delaySeconds) {
    m_hoverOnlyTopmost = false;
    m_shiftOverrides = false;
    struct Call {
        Window* window;
        bool on;
        int32_t delay;
    } call = {this, on, delaySeconds < 0 ? 5 : delaySeconds};
    runOnUiThread(
        [](void* c) {
            auto* call = static_cast<Call*>(c);
            Window* w = call->window;
            w->stopFade();
            w->m_hoverFade = call->on;
            w->m_fadeDelaySeconds = call->on ? call->delay : 5;
        },
        &call);
}

// Shrink timers: 6 shrinks, 4 waits for the cursor to leave, 5 grows back.
namespace {
constexpr UINT_PTR kShrinkWait = 4, kShrinkGrow = 5, kShrinkStep = 6;
constexpr UINT kShrinkGrowMs = 25, kShrinkStepMs = 10;

int32_t towards(int32_t value, int32_t goal, int32_t step) {
    if (value > goal) return value - step > goal ? value - step : goal;
    return value + step < goal ? value + step : goal;
}
}  // namespace

void Window::setHoverShrink(bool on, int32_t delaySeconds, int32_t width, int32_t height) {
    m_hoverOnlyTopmost = false;
    m_shiftOverrides = false;
    struct Call {
        Window* window;
        bool on;
        int32_t delay, width, height;
    } call = {this, on, delaySeconds < 0 ? 5 : delaySeconds, width, height};
    runOnUiThread(
        [](void* c) {
            auto* call = static_cast<Call*>(c);
            Window* w = call->window;
            w->stopShrink();
            w->m_hoverShrink = call->on;
            w->m_fadeDelaySeconds = call->on ? call->delay : 5;
            w->m_shrunkWidth = call->width;
            w->m_shrunkHeight = call->height;
        },
        &call);
}

// Undoes a running fade: the alpha comes back to what was asked for.
void Window::stopFade() {
    for (UINT_PTR id : {kFadeWait, kFadeIn, kFadeOut}) ::KillTimer(m_hWnd, id);
    m_fadeActive = false;
    applyAlpha();
}

void Window::stopHoverEffectHere(void* self) {
    auto* window = static_cast<Window*>(self);
    window->stopShrink();
    window->stopFade();
}

void Window::setHoverEffect(bool on, bool fade, bool onlyWhileTopmost, int32_t delaySeconds, int32_t shrunkWidth,
                            int32_t shrunkHeight, bool shiftOverrides) {
    if (!on) {
        setHoverFade(false, 5);
        setHoverShrink(false, 5, -1, -1);
        m_hoverOnlyTopmost = true;
        m_shiftOverrides = false;
        return;
    }
    if (fade) {
        setHoverShrink(false, delaySeconds, -1, -1);
        setHoverFade(true, delaySeconds);
    } else {
        setHoverFade(false, delaySeconds);
        setHoverShrink(true, delaySeconds, shrunkWidth, shrunkHeight);
    }
    m_hoverOnlyTopmost = onlyWhileTopmost;
    m_shiftOverrides = shiftOverrides;
}

// Undoes a running shrink: the saved full size comes back exactly.
void Window::stopShrink() {
    for (UINT_PTR id : {kShrinkWait, kShrinkGrow, kShrinkStep}) ::KillTimer(m_hWnd, id);
    if (m_fullWidth >= 0) setSize(m_fullWidth, m_fullHeight);
    m_fullWidth = m_fullHeight = -1;
    m_shrinkActive = false;
}

bool Window::onShrinkTimer(WPARAM id) {
    if (!m_shrinkActive || m_fullWidth < 0) {
        ::KillTimer(m_hWnd, id);
        return true;
    }
    const int32_t goalW = m_shrunkWidth < 0 ? m_fullWidth : m_shrunkWidth;
    const int32_t goalH = m_shrunkHeight < 0 ? m_fullHeight : m_shrunkHeight;
    if (id == kShrinkStep) {
        const int32_t w = towards(m_width, goalW, m_fullWidth / 5 > 1 ? m_fullWidth / 5 : 1);
        const int32_t h = towards(m_height, goalH, m_fullHeight / 5 > 1 ? m_fullHeight / 5 : 1);
        setSize(w, h);
        if (w != goalW || h != goalH) return true;
        ::KillTimer(m_hWnd, kShrinkStep);
        ::SetTimer(m_hWnd, kShrinkWait, static_cast<UINT>(m_fadeDelaySeconds * 1000 + 1), nullptr);
    } else if (id == kShrinkWait) {
        // Outside the full size, not only the shrunken one.
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        RECT full = {};
        ::GetWindowRect(m_hWnd, &full);
        full.right = full.left + m_fullWidth;
        full.bottom = full.top + m_fullHeight;
        if (PtInRect(&full, cursor)) return true;
        ::KillTimer(m_hWnd, kShrinkWait);
        ::SetTimer(m_hWnd, kShrinkGrow, kShrinkGrowMs, nullptr);
    } else if (id == kShrinkGrow) {
        const int32_t w = towards(m_width, m_fullWidth, m_fullWidth / 15 > 1 ? m_fullWidth / 15 : 1);
        const int32_t h = towards(m_height, m_fullHeight, m_fullHeight / 15 > 1 ? m_fullHeight / 15 : 1);
        setSize(w, h);
        if (w != m_fullWidth || h != m_fullHeight) return true;
        stopShrink();
    }
    return true;
}

bool Window::cursorOutside() const {
    POINT cursor = {};
    RECT r = {};
    ::GetCursorPos(&cursor);
    ::GetWindowRect(m_hWnd, &r);
    return !PtInRect(&r, cursor);
}

void Window::onHover() {
    if (!m_hoverFade && !m_hoverShrink) return;
    if (m_hoverOnlyTopmost && !m_topmost) return;
    if (m_hoverShrink && !m_shrinkActive) {
        applyAlpha();
        m_fullWidth = m_width;
        m_fullHeight = m_height;
        m_shrinkActive = true;
        ::SetTimer(m_hWnd, kShrinkStep, kShrinkStepMs, nullptr);
        return;
    }
    if (!m_hoverFade) return;
    if (m_shiftOverrides && shiftHeld()) {
        stopFade();
        return;
    }
    if (m_fadeActive && m_alpha == 0) {
        m_fadeCountdownMs = m_fadeDelaySeconds * 1000;
        return;
    }
    for (UINT_PTR id : {kFadeWait, kFadeIn}) ::KillTimer(m_hWnd, id);
    m_fadeActive = true;
    ::SetTimer(m_hWnd, kFadeOut, kFadeOutMs, nullptr);
}

bool Window::onFadeTimer(WPARAM id) {
    if (!m_fadeActive) {
        ::KillTimer(m_hWnd, id);
        return true;
    }
    const int32_t target = m_alphaTarget;
    if (id == kFadeOut) {
        const int32_t step = target / 5 > 1 ? target / 5 : 1;
        showAlpha(m_alpha - step > 0 ? m_alpha - step : 0);
        if (m_alpha > 0) return true;
        ::KillTimer(m_hWnd, kFadeOut);
        m_fadeCountdownMs = m_fadeDelaySeconds * 1000;
        ::SetTimer(m_hWnd, kFadeWait, kFadeWaitMs, nullptr);
    } else if (id == kFadeWait) {
        if (m_shiftOverrides && shiftHeld()) {
            stopFade();
            return true;
        }
        if (!cursorOutside()) return true;
        m_fadeCountdownMs -= static_cast<int32_t>(kFadeWaitMs);
        if (m_fadeCountdownMs >= 1) return true;
        ::KillTimer(m_hWnd, kFadeWait);
        ::SetTimer(m_hWnd, kFadeIn, kFadeInMs, nullptr);
    } else if (id == kFadeIn) {
        const int32_t step = target / 10 > 1 ? target / 10 : 1;
        showAlpha(m_alpha + step < target ? m_alpha + step : target);
        if (m_alpha < target) return true;
        ::KillTimer(m_hWnd, kFadeIn);
        m_fadeActive = false;
    }
    return true;
}

void Window::setClipboardViewer(bool on) {
    m_clipboardViewer = on;
    if (!m_hWnd) return;
    if (on)
        runOnUiThread([](void* w) { static_cast<Window*>(w)->joinClipboardChain(); }, this);
    else
        runOnUiThread([](void* w) { static_cast<Window*>(w)->leaveClipboardChain(); }, this);
}

void Window::joinClipboardChain() {
    if (m_inClipboardChain) return;
    m_nextViewer = SetClipboardViewer(m_hWnd);
    m_inClipboardChain = true;
}

void Window::leaveClipboardChain() {
    if (!m_inClipboardChain) return;
    ChangeClipboardChain(m_hWnd, m_nextViewer);
    m_inClipboardChain = false;
    m_nextViewer = nullptr;
}

void Window::setTrayMenu(s::gui::IPopupMenu* menu, bool owned) {
    if (m_trayMenuOwned && m_trayMenu != menu) {
        if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(m_trayMenu)) poolable->releaseToPool();
    }
    m_trayMenu = menu;
    m_trayMenuOwned = menu && owned;
    if (menu) menu->setHost(this);
}

bool Window::trayIcon(DWORD action) {
    NOTIFYICONDATAW data = {};
    data.cbSize = kTrayDataSize;
    data.hWnd = m_hWnd;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0));
    lstrcpynW(data.szTip, m_title.cString(), sizeof(data.szTip) / sizeof(data.szTip[0]));
    const bool done = notifyIcon(action, &data) != FALSE;
    if (action == NIM_ADD && done) m_trayShown = true;
    if (action == NIM_DELETE) m_trayShown = false;
    return done;
}

bool Window::setTrayIconVisible(bool visible) {
    if (!m_hWnd || visible == m_trayShown) return m_hWnd != nullptr;
    if (!visible && m_trayLocked) return true;
    struct Call {
        Window* window;
        bool visible;
        bool done;
    } call = {this, visible, false};
    runOnUiThread(
        [](void* c) {
            auto* call = static_cast<Call*>(c);
            call->done = call->window->trayIcon(call->visible ? NIM_ADD : NIM_DELETE);
        },
        &call);
    return call.done;
}

void Window::onTrayCallback(LPARAM mouse) {
    // Queued before the window closed: the icon is gone and nobody waits for its clicks.
    if (m_closed.load() || m_tornDown) return;
    if (mouse == WM_LBUTTONDOWN) {
        if (m_trayClickToggles) toggleFromTray();
        fire(kEventTrayLeftClick);
    } else if (mouse == WM_RBUTTONDOWN && m_trayMenu) {
        fire(kEventTrayRightClick);
        SetForegroundWindow();
        POINT cursor = {};
        GetCursorPos(&cursor);
        m_trayMenu->track(cursor.x, cursor.y, this);
        SetForegroundWindow();
    } else if (mouse == WM_MOUSEMOVE && m_hideCursor) {
        followCursorStep();
    }
}

bool Window::onExtraMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAddHotKey:
        *result = addHotKeyHere(reinterpret_cast<const void*>(wParam));
        return true;
    case kRemoveHotKey:
        removeHotKeyHere(reinterpret_cast<const wchar_t*>(wParam));
        return true;
    case kRemoveAllHotKeys:
        while (!m_hotKeys.empty()) removeHotKeyHere(std::wstring(m_hotKeys.back()).c_str());
        return true;
    case WM_HOTKEY:
        m_lastHotKey = static_cast<int32_t>(wParam);
        fire(kEventHotKey);
        return true;
    case kStartTimer:
        if (!::SetTimer(m_hWnd, kUserTimerBase + wParam, static_cast<UINT>(lParam), nullptr)) return true;
        m_timers.push_back(static_cast<int32_t>(wParam));
        *result = 1;
        return true;
    case kStopTimer:
        ::KillTimer(m_hWnd, kUserTimerBase + wParam);
        for (auto i = m_timers.begin(); i != m_timers.end();)
            i = *i == static_cast<int32_t>(wParam) ? m_timers.erase(i) : i + 1;
        return true;
    case WM_TIMER:
        if (wParam >= kFadeWait && wParam <= kFadeOut) return onFadeTimer(wParam);
        if (wParam >= kShrinkWait && wParam <= kShrinkStep) return onShrinkTimer(wParam);
        if (wParam == kCursorFollowTimer) return followCursorStep(), true;
        return wParam >= kUserTimerBase && onUserTimer(wParam);
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        onHover();
        return false;
    case kTrayCallback:
        onTrayCallback(lParam);
        return true;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) m_suspended = true;
        if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) m_suspended = false;
        return false;
    case WM_DRAWCLIPBOARD:
        fire(kEventClipboard);
        if (m_nextViewer) ::PostMessageW(m_nextViewer, message, wParam, lParam);
        return true;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == m_nextViewer)
            m_nextViewer = reinterpret_cast<HWND>(lParam);
        else if (m_nextViewer)
            ::PostMessageW(m_nextViewer, message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

// --- the drawer-painted frame ------------------------------------------------------------

void Window::setDrawer(s::gui::drawer::IWindow* drawer, bool owned) {
    struct Call {
        Window* window;
        s::gui::drawer::IWindow* drawer;
        bool owned;
    } call = {this, drawer, owned};
    auto swap = [](void* c) {
        auto* call = static_cast<Call*>(c);
        Window* w = call->window;
        if (w->m_drawer && w->m_drawerOwned && w->m_drawer != call->drawer) w->m_drawer->releaseToPool();
        w->m_drawer = call->drawer;
        w->m_drawerOwned = call->drawer && call->owned;
        if (!w->m_drawer) {
            w->m_frameBuffer.release();
            w->m_backBuffer = nullptr;
            if (w->m_hWnd) ::SetWindowRgn(w->m_hWnd, nullptr, TRUE);
        }
    };
    if (!runOnUiThread(swap, &call)) swap(&call);
    if (!drawer || !m_hWnd) return;
    // The drawer paints the frame: the native one goes, and children are not painted over.
    setFramed(false);
    modifyStyle(0, WS_CLIPCHILDREN, SWP_FRAMECHANGED);
    runOnUiThread([](void* w) { static_cast<Window*>(w)->onDrawerPositionChanged(); }, this);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

void Window::paintBuffer(HDC dc, int32_t width, int32_t height) {
    const RECT all = {0, 0, width, height};
    const COLORREF before = ::SetBkColor(dc, getBackgroundColour());
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetBkColor(dc, before);
    if (m_drawer) m_drawer->draw(dc, 0, 0, width, height);
}

// The shape follows the size; the system owns the region once it is set.
void Window::onDrawerPositionChanged() {
    if (!m_drawer || !m_hWnd) return;
    const RECT r = windowRect();
    ::SetWindowRgn(m_hWnd, m_drawer->createRegion(0, 0, r.right - r.left - 1, r.bottom - r.top - 1), TRUE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// A caption answer for a point of the client area is easy drag's: the hit test cannot tell
// a right click from a left one (the button's state is not yet down while the system asks
// where the press lands, Wine 8.0, checked), so the button message that follows tells it.
bool Window::isEasyDragClick(WPARAM hit, LPARAM lParam) const {
    if (!m_easyDrag || hit != HTCAPTION) return false;
    POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    RECT client = {};
    ::ScreenToClient(m_hWnd, &p);
    ::GetClientRect(m_hWnd, &client);
    return PtInRect(&client, p) != FALSE;
}

LRESULT Window::hitTest(LRESULT answer, LPARAM lParam) const {
    if (m_drawer) {
        const RECT r = windowRect();
        answer = frameHitTest(static_cast<int16_t>(LOWORD(lParam)) - r.left,
                              static_cast<int16_t>(HIWORD(lParam)) - r.top, r.right - r.left, r.bottom - r.top,
                              uiScale(), answer);
    }
    if (m_easyDrag && answer == HTCLIENT && !(GetKeyState(VK_RBUTTON) & 0x8000)) answer = HTCAPTION;
    return answer;
}

// With two or more monitors the whole virtual screen, else the primary work area.
void Window::keepProposedOnScreen(WINDOWPOS* pos) const {
    if (pos->flags & SWP_NOMOVE) return;
    const s::gui::Rect area = GetSystemMetrics(SM_CMONITORS) >= 2 ? virtualScreen() : primaryWorkArea();
    const RECT now = windowRect();
    const int32_t width = pos->flags & SWP_NOSIZE ? now.right - now.left : pos->cx;
    const int32_t height = pos->flags & SWP_NOSIZE ? now.bottom - now.top : pos->cy;
    if (pos->x + width > area.left + area.width) pos->x = area.left + area.width - width;
    if (pos->y + height > area.top + area.height) pos->y = area.top + area.height - height;
    if (pos->x < area.left) pos->x = area.left;
    if (pos->y < area.top) pos->y = area.top;
}

int32_t Window::frameEdgeAt(POINT screen) const {
    const RECT r = windowRect();
    const LRESULT code = frameHitTest(screen.x - r.left, screen.y - r.top, r.right - r.left, r.bottom - r.top,
                                      uiScale(), HTCLIENT);
    // HTLEFT .. HTBOTTOMRIGHT are WMSZ_LEFT .. WMSZ_BOTTOMRIGHT shifted by the same amount.
    return code >= HTLEFT && code <= HTBOTTOMRIGHT ? static_cast<int32_t>(code - HTLEFT + WMSZ_LEFT) : 0;
}

namespace {

// Where the cursor was when the message in hand was sent, in screen pixels.
POINT messagePoint() {
    const DWORD at = ::GetMessagePos();
    return POINT{static_cast<int16_t>(LOWORD(at)), static_cast<int16_t>(HIWORD(at))};
}

LPCWSTR sizeCursorOf(int32_t edge) {
    switch (edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT:
        return IDC_SIZEWE;
    case WMSZ_TOP:
    case WMSZ_BOTTOM:
        return IDC_SIZENS;
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMRIGHT:
        return IDC_SIZENWSE;
    default:
        return IDC_SIZENESW;
    }
}

}  // namespace

// Over the drawn frame the window holds the mouse, so that the press that follows starts
// a drag of that edge; leaving the frame lets it go.
void Window::onFrameMouse() {
    if (!m_drawer || !m_resizable) return;
    const POINT cursor = messagePoint();
    if (m_frameDragging) {
        dragFrame(cursor);
        return;
    }
    const int32_t edge = frameEdgeAt(cursor);
    if (edge) {
        ::SetCursor(::LoadCursorW(nullptr, sizeCursorOf(edge)));
        m_frameEdge = edge;
        if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
    } else if (m_frameEdge) {
        m_frameEdge = 0;
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
}

bool Window::startFrameDrag() {
    if (!m_frameEdge || m_frameDragging) return false;
    const POINT cursor = messagePoint();
    const RECT r = windowRect();
    if (!PtInRect(&r, cursor)) return false;
    m_dragAnchor = cursor;
    m_dragStart = r;
    m_frameDragging = true;
    return true;
}

void Window::finishFrameDrag() {
    if (!m_frameDragging) return;
    m_frameDragging = false;
    m_frameEdge = 0;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void Window::dragFrame(POINT screen) {
    const int32_t dx = screen.x - m_dragAnchor.x, dy = screen.y - m_dragAnchor.y;
    const int32_t edge = m_frameEdge;
    RECT r = m_dragStart;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) r.left += dx;
    if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) r.right += dx;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) r.top += dy;
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) r.bottom += dy;
    // As the system's own sizing does: the sizing listeners and the clamps see it first.
    ::SendMessageW(m_hWnd, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
    setBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool Window::onFrameMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        if (!(m_cursorFollow || m_hideCursor) || !m_visible) return false;
        ::SetCursor(nullptr);
        *result = TRUE;
        return true;
    case WM_CAPTURECHANGED:
        onCaptureChanged(reinterpret_cast<HWND>(lParam));
        return false;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU) return openMenuBarByKey(static_cast<wchar_t>(lParam));
        if ((wParam & 0xFFF0) != SC_CLOSE) return false;
        if (!m_closeToTray || m_hiddenInTray) {
            // The default handling sends WM_CLOSE before it returns (see afterDefault).
            m_userCloseAsked = true;
            return false;
        }
        hideToTray();
        return true;
    default:
        break;
    }
    if (!m_drawer) return false;
    switch (message) {
    case WM_PAINT:
        m_frameBuffer.paint(m_hWnd, this);
        // Children that take their parent's background copy it from here.
        m_backBuffer = m_frameBuffer.image();
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_NCPAINT:
        return true;
    case WM_NCCALCSIZE:
        // The whole window is client area: the drawer paints the frame inside it.
        return wParam != 0;
    case WM_NCACTIVATE:
        *result = TRUE;
        return true;
    default:
        return false;
    }
}

// --- capture ----------------------------------------------------------------------------

void Window::setCapture() {
    runOnUiThread(
        [](void* self) {
            auto* w = static_cast<Window*>(self);
            w->m_captureWatched = true;
            ::SetCapture(w->m_hWnd);
        },
        this);
}

void Window::onCaptureChanged(HWND next) {
    if (next != m_hWnd && !m_frameDragging) m_frameEdge = 0;
    if (next != m_hWnd) m_frameDragging = false;
    if (!m_captureWatched) return;
    m_captureWatched = false;
    ::GetCursorPos(&m_captureRelease);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    fire(kEventCaptureChanged);
}

// --- cursor-follow ----------------------------------------------------------------------

void Window::setCursorFollow(bool on) {
    m_cursorFollow = on;
    if (!m_hWnd) return;
    if (on && m_visible)
        runOnUiThread(&startCursorFollowHere, this);
    else if (!on)
        runOnUiThread(&stopCursorFollowHere, this);
}

void Window::startCursorFollowHere(void* self) {
    auto* w = static_cast<Window*>(self);
    ::SetTimer(w->m_hWnd, kCursorFollowTimer, kCursorFollowMs, nullptr);
}

void Window::stopCursorFollowHere(void* self) { ::KillTimer(static_cast<Window*>(self)->m_hWnd, kCursorFollowTimer); }

// Each step covers half the way from the window's centre to the cursor, at least a pixel.
void Window::followCursorStep() {
    if (!m_cursorFollow || m_tornDown || !m_visible) return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const RECT r = windowRect();
    const int32_t width = r.right - r.left, height = r.bottom - r.top;
    const int32_t dx = cursor.x - (r.left + width / 2), dy = cursor.y - (r.top + height / 2);
    if (dx == 0 && dy == 0) return;
    auto half = [](int32_t d) { return d / 2 ? d / 2 : d; };
    setPosition(r.left + half(dx), r.top + half(dy));
}

// --- the tray ---------------------------------------------------------------------------

void Window::updateTrayIcon() {
    if (m_trayShown) runOnUiThread([](void* w) { static_cast<Window*>(w)->trayIcon(NIM_MODIFY); }, this);
}

void Window::hideToTray() {
    if (!m_hWnd) return;
    show(false, false);
    if (!m_trayShown) setTrayIconVisible(true);
    m_hiddenInTray = true;
}

// Back from the tray: shown in front, the icon gone unless it is persistent.
void Window::leaveTray() {
    show(true, false);
    SetForegroundWindow();
    m_hiddenInTray = false;
    if (m_trayShown && !m_trayPersistent) trayIcon(NIM_DELETE);
    ShowWindow(SW_RESTORE);
}

void Window::toggleFromTray() {
    if (m_hiddenInTray) {
        leaveTray();
        return;
    }
    const int64_t sinceDeactivation = s::time::currentTimeMillis() - m_deactivationTime;
    if (m_active || (m_deactivationTime && sinceDeactivation <= kTrayToggleMs)) {
        hideToTray();
        return;
    }
    bringToFront(true);
    if (IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
}

// --- icons and the skinner --------------------------------------------------------------

namespace {

// An icon of the picture's own pixels; the mask is left clear, the alpha decides.
HICON iconOf(s::image::win::BufferedImage* image) {
    if (!image || !image->getBitmapHandle()) return nullptr;
    HBITMAP mask = CreateBitmap(image->getWidth(), image->getHeight(), 1, 1, nullptr);
    if (!mask) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, image->getWidth(), image->getHeight(), BLACKNESS);
    SelectObject(dc, before);
    DeleteDC(dc);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = image->getBitmapHandle();
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

}  // namespace

void Window::releaseIcon(Icon* icon) {
    if (icon->handle) DestroyIcon(icon->handle);
    if (icon->owned && icon->image) icon->image->releaseToPool();
    *icon = Icon{};
}

void Window::setIcon(Icon* icon, s::image::win::BufferedImage* image, bool owned, WPARAM kind) {
    if (icon->image == image) {
        icon->owned = image && owned;
        return;
    }
    HICON handle = iconOf(image);
    if (m_hWnd) ::SendMessageW(m_hWnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(handle));
    releaseIcon(icon);
    icon->image = image;
    icon->owned = image && owned;
    icon->handle = handle;
    if (kind == ICON_SMALL) updateTrayIcon();
}

void Window::setLargeIcon(s::image::win::BufferedImage* image, bool owned) {
    setIcon(&m_largeIcon, image, owned, ICON_BIG);
}

void Window::setSmallIcon(s::image::win::BufferedImage* image, bool owned) {
    setIcon(&m_smallIcon, image, owned, ICON_SMALL);
}

// By UI scale 1, 2, 4 or 8 the large icon is the first, second, third or fourth size of the
// set and the small one the size after it.
void Window::applyIconSet(s::image::IBufferedImageSet* icons) {
    if (!icons) return;
    const int32_t scale = uiScale();
    const int32_t first = scale >= 8 ? 3 : scale >= 4 ? 2 : scale >= 2 ? 1 : 0;
    if (icons->getCount() <= first + 1) return;
    // Of the pair the larger picture is the large icon, whichever order the set keeps.
    s::image::win::BufferedImage* one = icons->getImage(first);
    s::image::win::BufferedImage* two = icons->getImage(first + 1);
    const bool firstLarger = one->getWidth() >= two->getWidth();
    setLargeIcon(firstLarger ? one : two, false);
    setSmallIcon(firstLarger ? two : one, false);
}

void Window::setSkinner(s::gui::drawer::Skinner* skinner) {
    if (m_skinner == skinner) return;
    if (m_skinner) m_skinner->removeListener(this);
    m_skinner = skinner;
    if (!skinner) return;
    skinner->addListener(this);
    takeSkinDrawer();
}

void Window::takeSkinDrawer() {
    if (m_keepNativeFrame) return;
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->getCurrentSkin() : nullptr;
    if (skin && skin->getWindowDrawer()) setDrawer(skin->getWindowDrawer(), false);
}

void Window::onEvent(s::gui::drawer::Skinner* source, int32_t) {
    if (source == m_skinner) takeSkinDrawer();
}

void Window::releaseLooks() {
    m_keepNativeFrame = false;
    if (m_skinner) m_skinner->removeListener(this);
    m_skinner = nullptr;
    if (m_drawer && m_drawerOwned) m_drawer->releaseToPool();
    m_drawer = nullptr;
    m_drawerOwned = false;
    m_frameBuffer.release();
    m_backBuffer = nullptr;
    releaseIcon(&m_largeIcon);
    releaseIcon(&m_smallIcon);
}

// --- what lies beneath ------------------------------------------------------------------

// The first visible top-level window below this one in the z-order that holds the point.
s::image::win::BufferedImage* Window::captureUnderCorner() const {
    if (!m_hWnd) return nullptr;
    const RECT own = windowRect();
    const POINT corner = {own.left + 1, own.top + 1};
    for (HWND next = ::GetWindow(m_hWnd, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT)) {
        RECT r = {};
        if (!::IsWindowVisible(next) || !::GetWindowRect(next, &r) || !PtInRect(&r, corner)) continue;
        return s::system::monitor::win::captureWindow(next);
    }
    return nullptr;
}

}  // namespace s::gui::win
