// s/gui/win/Window.cpp
//
// The core of the top-level window. What it holds: the native window and its invisible
// owner, the UI thread, geometry and styles, showing and closing, the title and language,
// settings, the listener lists and user events, user timers, capture, icons and the
// skinner. Its extras are parts it owns, one member each, all touched on the UI thread
// only: m_hover (alpha, fade, shrink), m_tray, m_frame (the drawer's frame, its hit test,
// easy drag), m_hotKeys, m_clipboard and m_cursor (hiding and following). windowProc
// below writes once the order in which a message passes them.
//
// Threads: the UI thread makes the native windows (createWindowsOnUiThread) and serves
// them; any other thread calls the members of IWindow, which cross with onUiThread
// (OnUiThread.h) wherever they touch the native window or a field the UI thread reads.
// teardown, on whichever thread releases the window, gives the UI thread kStopBudgetMs
// for everything it still sends there, and only forgets what a stuck thread left.
//
// Failure: a window whose native windows could not be made has no handle; every member
// then does nothing and answers 0, false or null, and a crossing answers false.
#include "s/gui/win/Window.h"

#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <new>
#include <vector>

#include "s/gui/Geometry.h"
#include "s/gui/IMenuBar.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/win/HotKeyText.h"
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
#include "s/gui/win/WindowTimers.h"
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

std::mutex g_workingSetLock;

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
        showCreationFailed();
        return false;
    }
    m_invisible.ShowWindow(SW_HIDE);
    m_invisible.UpdateWindow();
    if (!CreateEx(WS_EX_CLIENTEDGE, kWindowClassName, L"Window", WS_OVERLAPPEDWINDOW,
                  CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight,
                  m_invisible.m_hWnd, nullptr)) {
        showCreationFailed();
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

void Window::closeNative() {
    show(false, false);
    // A window released without a close must not leave its icon in the tray.
    m_tray.removeForClose();
    m_closed.store(true);
    removeAllChildren(true);
    drainPostedEvents();
    if (m_invisible.m_hWnd)
        ::SendMessageW(m_invisible.m_hWnd, kCloseInvisible, 0, 0);
    else
        DestroyWindow();
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
    bool answering = m_thread && !UIThread::isAbandoned(m_thread->m_nThreadID);
    const bool hasWindow = m_hWnd != nullptr;
    // The chain must not keep a window that is gone: the next viewer is handed on first.
    if (hasWindow && answering && m_clipboard.isInChain())
        answering = onUiThread(*this, [this] { m_clipboard.leave(); }, left());
    // Its hot keys' names are system-wide atoms, which outlive the window unless deleted.
    if (hasWindow && answering && !m_hotKeys.isEmpty())
        answering = onUiThread(*this, [this] { m_hotKeys.removeAll(); }, left());
    bool closedThere = !hasWindow;
    if (hasWindow && answering) closedThere = answering = onUiThread(*this, [this] { closeNative(); }, left());
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
        // The UI thread reads the flag (the cursor, the following): it is set there.
        onUiThreadOrHere([this] {
            m_visible = true;
            if (m_cursor.isFollowing()) m_cursor.start();
        });
        // From another thread each step is a call of its own, and the window's thread serves
        // the user between them: the steps that show the window run on that thread and end
        // once the user closed it there, so that the steps left never show it again.
        if (activate && m_appWindow) onUiThread(*this, [this] { showForTaskbar(); }, kWaitForever);
        if (!m_closed.load() && !isMaximised() && m_settings) {
            if (m_settings->getMaximized())
                maximise();
            else if (m_recentre && !m_keepOnVirtualScreen && !m_cursor.isFollowing() &&
                     (!m_settings->hasPosition() || !isOnScreen()))
                centreInParent();
        }
        if (activate && !m_closed.load()) bringToFront(true);
        onUiThread(*this, [this] { showUnlessClosed(); }, kWaitForever);
    } else {
        storeSettings();
        onUiThreadOrHere([this] {
            m_visible = false;
            m_cursor.stop();
        });
        ShowWindow(SW_HIDE);
    }
    trimWorkingSet();
}

// Minimised and restored, an application window gets its taskbar button. On the UI thread.
void Window::showForTaskbar() {
    ShowWindow(SW_MINIMIZE);
    if (!m_closed.load()) ShowWindow(SW_RESTORE);
}

void Window::showUnlessClosed() {
    if (m_closed.load()) return;
    ShowWindow(SW_SHOW);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
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
    onUiThread(*this, [this] { m_hover.stop(); }, kWaitForever);
    ShowWindow(SW_MINIMIZE);
}

void Window::maximise() {
    if (!m_hWnd) return;
    onUiThread(*this, [this] { m_hover.stop(); }, kWaitForever);
    ShowWindow(SW_MAXIMIZE);
}
void Window::showNormal() { if (m_hWnd) ShowWindow(SW_SHOWNORMAL); }

void Window::restore() {
    if (!m_hWnd) return;
    if (isMaximised() && m_settings) m_settings->setMaximized(false);
    if (m_tray.isHidden()) onUiThread(*this, [this] { m_tray.bringWindowBack(); }, kWaitForever);
    ShowWindow(SW_RESTORE);
}

void Window::close() {
    if (!m_hWnd) return;
    onUiThread(*this, [this] { m_tray.noteClose(); }, kWaitForever);
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
    if (m_hover.followsTopmost()) onUiThread(*this, [this] { m_hover.applyAlpha(); }, kWaitForever);
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
    if (m_tray.isShown()) updateTrayIcon();
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

void Window::addCloser(s::gui::IComponent* component) {
    if (component) m_closers.add(component);
}

void Window::onEvent(void* source, int32_t) {
    if (source && m_localizer && source == static_cast<void*>(m_localizer)) {
        // The language may change on any thread; the window re-titles on its own.
        if (!onUiThread(*this, [this] { languageChanged(); }, kWaitForever)) languageChanged();
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

bool Window::runOnUiThread(void (*function)(void*), void* argument, uint32_t limitMs) {
    if (!m_hWnd || !function) return false;
    if (uiThreadId() == GetCurrentThreadId()) {
        function(argument);
        return true;
    }
    return sendToUiThread(m_hWnd, function, argument, limitMs);
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
    m_clipboard.leave();
    m_tray.removeForClose();
    m_cursor.stop();
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
    if (m_tray.menu() && m_tray.menu()->hasCommand(static_cast<int32_t>(id))) {
        m_tray.menu()->choose(static_cast<int32_t>(id));
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

// Every message passes, in this order, until one answers it:
//   1. the component base: the children other threads ask to make or destroy;
//   2. the parts that answer messages of their own: the hot keys (WM_HOTKEY), the
//      clipboard chain, the tray icon's callback, the cursor (WM_SETCURSOR), and the
//      drawn frame's painting and non-client messages;
//   3. the core's switch (onMessage), which also hands the messages several parts share
//      to each of them in a fixed order: WM_TIMER to the hover effect, the following and
//      the user's timers; a mouse move to the hover effect, the hidden cursor, the frame
//      and the listeners; WM_SYSCOMMAND's menu key before its close, which the tray may
//      take.
// What nobody answered goes on to the default handling, then to afterDefault.
bool Window::windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ComponentBase<s::gui::IWindow>::handleMessage(result, message, wParam, lParam)) return true;
    *result = 0;
    if (message == WM_HOTKEY) return m_hotKeys.onHotKey(wParam), true;
    if (m_clipboard.onMessage(message, wParam, lParam)) return true;
    if (message == kTrayCallback) return m_tray.onCallback(lParam), true;
    if (message == WM_SETCURSOR && m_cursor.onSetCursor(result)) return true;
    if (m_frame.onMessage(result, message, wParam)) {
        // Children that take their parent's background copy it from the frame's picture.
        if (message == WM_PAINT) m_backBuffer = m_frame.picture();
        return true;
    }
    return onMessage(result, message, wParam, lParam);
}

bool Window::onMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
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
        if (!m_frame.answersHitTest()) return false;
        *result = m_frame.hitTest(DefWindowProc(message, wParam, lParam), lParam);
        return true;
    case WM_WINDOWPOSCHANGING:
        if (m_keepOnVirtualScreen) keepProposedOnScreen(reinterpret_cast<WINDOWPOS*>(lParam));
        fire(kEventPositionChanging);
        return m_frame.drawer() != nullptr;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE) && !IsIconic(m_hWnd)) {
            if (!m_frame.drawer())
                doLayout();
            else if (m_frame.onPositionChanged(), !isShrunk())
                doLayout();
        }
        return false;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        m_hover.onMouseMove();
        if (m_cursor.hidesCursor()) ::SetCursor(nullptr);
        m_frame.onMouseMove();
        fire(kEventMouseMove);
        return false;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        if (m_frame.startDrag()) return true;
        fire(kEventLeftDown);
        SetFocus(m_hWnd);
        return false;
    case WM_LBUTTONUP:
        fire(kEventLeftUp);
        m_frame.finishDrag();
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
        if (wcscmp(m_middleClickAction.cString(), L"Iconize") == 0) m_tray.hideWindow();
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
        if (!m_frame.isEasyDragClick(wParam, lParam)) return false;
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
        if (m_tray.isHidden()) m_tray.bringWindowBack();
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
        *result = 1;
        return true;
    case kStartTimer:
        startUserTimer(result, wParam, lParam);
        return true;
    case kStopTimer:
        stopUserTimer(wParam);
        return true;
    case WM_TIMER:
        return onTimer(wParam);
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) m_suspended = true;
        if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) m_suspended = false;
        return false;
    case WM_CAPTURECHANGED:
        onCaptureChanged(reinterpret_cast<HWND>(lParam));
        return false;
    case WM_SYSCOMMAND:
        return onSysCommand(wParam, lParam);
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

// --- hot keys ---------------------------------------------------------------------------

bool Window::registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key, const wchar_t* name,
                            bool report) {
    if (!m_hWnd || !name) return false;
    unregisterHotKey(name);
    const std::wstring failure = hotKeyClashText(alt, ctrl, shift, win, key);
    const bool noRepeat = s::system::win::osVersion().isVersion61OrLater;
    const uint32_t modifiers = hotKeyModifiers(alt, ctrl, shift, win, noRepeat);
    bool added = false;
    onUiThread(*this, [&] { added = m_hotKeys.add(modifiers, static_cast<uint32_t>(key), name, report, failure.c_str()); },
               kWaitForever);
    return added;
}

void Window::unregisterHotKey(const wchar_t* name) {
    if (m_hWnd && name) onUiThread(*this, [&] { m_hotKeys.remove(name); }, kWaitForever);
}

void Window::unregisterAllHotKeys() {
    if (m_hWnd) onUiThread(*this, [this] { m_hotKeys.removeAll(); }, kWaitForever);
}

bool Window::isOwnHotKey(const wchar_t* name) const { return m_hotKeys.isOwn(name); }

// --- timers: the parts' and the user's --------------------------------------------------

bool Window::onTimer(WPARAM id) {
    if (m_hover.onTimer(id) || m_cursor.onTimer(id)) return true;
    return id >= kUserTimerBase && onUserTimer(id);
}

bool Window::startTimer(int32_t id, uint32_t periodMs) {
    if (!m_hWnd || id < 0) return false;
    stopTimer(id);
    return ::SendMessageW(m_hWnd, kStartTimer, static_cast<WPARAM>(id), static_cast<LPARAM>(periodMs)) == 1;
}

void Window::stopTimer(int32_t id) {
    if (m_hWnd && id >= 0) ::SendMessageW(m_hWnd, kStopTimer, static_cast<WPARAM>(id), 0);
}

void Window::startUserTimer(LRESULT* result, WPARAM id, LPARAM periodMs) {
    if (!::SetTimer(m_hWnd, kUserTimerBase + id, static_cast<UINT>(periodMs), nullptr)) return;
    m_timers.push_back(static_cast<int32_t>(id));
    *result = 1;
}

void Window::stopUserTimer(WPARAM id) {
    ::KillTimer(m_hWnd, kUserTimerBase + id);
    for (auto i = m_timers.begin(); i != m_timers.end();)
        i = *i == static_cast<int32_t>(id) ? m_timers.erase(i) : i + 1;
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

// --- alpha and the hover effect ---------------------------------------------------------

void Window::setAlpha(int32_t percent, bool onlyWhileTopmost) {
    onUiThreadOrHere([&] { m_hover.setAlpha(percent, onlyWhileTopmost); });
}

void Window::setHoverFade(bool on, int32_t delaySeconds) {
    onUiThread(*this,
               [&] {
                   m_hover.setConditions(false, false);
                   m_hover.setFade(on, delaySeconds);
               },
               kWaitForever);
}

void Window::setHoverShrink(bool on, int32_t delaySeconds, int32_t width, int32_t height) {
    onUiThread(*this,
               [&] {
                   m_hover.setConditions(false, false);
                   m_hover.setShrink(on, delaySeconds, width, height);
               },
               kWaitForever);
}

void Window::setHoverEffect(bool on, bool fade, bool onlyWhileTopmost, int32_t delaySeconds, int32_t shrunkWidth,
                            int32_t shrunkHeight, bool shiftOverrides) {
    onUiThread(*this,
               [&] {
                   if (!on) {
                       m_hover.setFade(false, 5);
                       m_hover.setShrink(false, 5, -1, -1);
                       m_hover.setConditions(true, false);
                   } else if (fade) {
                       m_hover.setShrink(false, delaySeconds, -1, -1);
                       m_hover.setFade(true, delaySeconds);
                       m_hover.setConditions(onlyWhileTopmost, shiftOverrides);
                   } else {
                       m_hover.setFade(false, delaySeconds);
                       m_hover.setShrink(true, delaySeconds, shrunkWidth, shrunkHeight);
                       m_hover.setConditions(onlyWhileTopmost, shiftOverrides);
                   }
               },
               kWaitForever);
}

// --- the clipboard chain ----------------------------------------------------------------

void Window::setClipboardViewer(bool on) {
    if (!m_hWnd) return;
    if (on)
        onUiThread(*this, [this] { m_clipboard.join(); }, kWaitForever);
    else
        onUiThread(*this, [this] { m_clipboard.leave(); }, kWaitForever);
}

// --- the tray ---------------------------------------------------------------------------

void Window::setTrayMenu(s::gui::IPopupMenu* menu, bool owned) {
    onUiThreadOrHere([&] { m_tray.setMenu(menu, owned); });
}

bool Window::setTrayIconVisible(bool visible) {
    if (!m_hWnd) return false;
    bool done = false;
    onUiThread(*this, [&] { done = m_tray.setVisible(visible); }, kWaitForever);
    return done;
}

void Window::updateTrayIcon() {
    if (m_tray.isShown()) onUiThread(*this, [this] { m_tray.update(); }, kWaitForever);
}

void Window::hideToTray() {
    if (m_hWnd) onUiThread(*this, [this] { m_tray.hideWindow(); }, kWaitForever);
}

void Window::setTrayIconLocked(bool locked) {
    onUiThreadOrHere([&] { m_tray.setLocked(locked); });
}

void Window::setTrayIconPersistent(bool on) {
    onUiThreadOrHere([&] { m_tray.setPersistent(on); });
}

void Window::setCloseToTray(bool on) {
    onUiThreadOrHere([&] { m_tray.setCloseToTray(on); });
}

void Window::setTrayClickToggles(bool on) {
    onUiThreadOrHere([&] { m_tray.setClickToggles(on); });
}

// The system's close of a window that closes to the tray hides it there instead.
bool Window::onSysCommand(WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) == SC_KEYMENU) return openMenuBarByKey(static_cast<wchar_t>(lParam));
    if ((wParam & 0xFFF0) != SC_CLOSE) return false;
    if (m_tray.takeSystemClose()) return true;
    // The default handling sends WM_CLOSE before it returns (see afterDefault).
    m_userCloseAsked = true;
    return false;
}

// --- the cursor, easy drag, the drawer-painted frame ------------------------------------

void Window::setCursorFollow(bool on) {
    if (!m_hWnd) {
        m_cursor.setFollow(on, false);
        return;
    }
    onUiThread(*this, [&] { m_cursor.setFollow(on, m_visible); }, kWaitForever);
}

void Window::setHideCursor(bool on) {
    onUiThreadOrHere([&] { m_cursor.setHide(on); });
}

void Window::setPassDoubleClicks(bool on) {
    onUiThreadOrHere([&] { m_passDoubleClicks = on; });
}

void Window::setEasyDrag(bool on) {
    onUiThreadOrHere([&] { m_frame.setEasyDrag(on); });
}

void Window::keepOnVirtualScreen(bool on) {
    onUiThreadOrHere([&] { m_keepOnVirtualScreen = on; });
}

void Window::setDrawer(s::gui::drawer::IWindow* drawer, bool owned) {
    onUiThreadOrHere([&] {
        m_frame.setDrawer(drawer, owned);
        if (!drawer) m_backBuffer = nullptr;
    });
    if (!drawer || !m_hWnd) return;
    // The drawer paints the frame: the native one goes, and children are not painted over.
    setFramed(false);
    modifyStyle(0, WS_CLIPCHILDREN, SWP_FRAMECHANGED);
    onUiThread(*this, [this] { m_frame.onPositionChanged(); }, kWaitForever);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
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

// --- capture ----------------------------------------------------------------------------

void Window::setCapture() {
    onUiThread(*this,
               [this] {
                   m_captureWatched = true;
                   ::SetCapture(m_hWnd);
               },
               kWaitForever);
}

void Window::onCaptureChanged(HWND next) {
    m_frame.onCaptureChanged(next);
    if (!m_captureWatched) return;
    m_captureWatched = false;
    ::GetCursorPos(&m_captureRelease);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    fire(kEventCaptureChanged);
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
    m_frame.release();
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
