// s/gui/win/Window.h
//
// The toolkit's top-level window. Each Window starts a UI thread of its own when it is
// made and waits (serving sent messages) until that thread has made the native windows or
// given up; a Window whose windows could not be made has no handle, and every operation
// that needs one does nothing and answers 0 or false. The thread that made it drives it
// through the operations below; those that must run on the UI thread cross there by
// onUiThread (OnUiThread.h). Its extras are parts of their own (WindowHover, WindowTray,
// WindowFrame, WindowHotKeys, WindowClipboard, WindowCursor), which it owns. Pooled with capacity 0: giving it back destroys it,
// which destroys the native windows on their thread and stops the UI thread within
// kStopBudgetMs, even when that thread is stuck in a listener.
#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "s/gui/IWindow.h"
#include "s/gui/UserEvent.h"
#include "s/gui/drawer/ISkinListener.h"
#include "s/gui/win/BackBuffer.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/InvisibleWindow.h"
#include "s/gui/win/OnUiThread.h"
#include "s/gui/win/WindowClipboard.h"
#include "s/gui/win/WindowCursor.h"
#include "s/gui/win/WindowFrame.h"
#include "s/gui/win/WindowHotKeys.h"
#include "s/gui/win/WindowHover.h"
#include "s/gui/win/WindowTray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui {
class IPopupMenu;
}  // namespace s::gui
namespace s::image {
class IBufferedImageSet;
}  // namespace s::image

namespace s::gui::win {

class UIThread;

class Window final : public ComponentBase<s::gui::IWindow>,
                     public s::gui::drawer::ISkinListener {
public:
    Window();
    ~Window() override;

    // IComponent: the window rectangle in screen pixels; the inner size is the client area.
    int32_t getX() const override;
    int32_t getY() const override;
    int32_t getWidth() const override;
    int32_t getHeight() const override;
    int32_t getInnerWidth() const override;
    void setInnerWidth(int32_t width) override;
    int32_t getInnerHeight() const override;
    void setInnerHeight(int32_t height) override;
    void setX(int32_t x) override { setPosition(x, getY()); }
    void setY(int32_t y) override { setPosition(getX(), y); }
    void setWidth(int32_t width) override { setSize(width, getHeight()); }
    void setHeight(int32_t height) override { setSize(getWidth(), height); }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    int32_t getMinWidth() const override;
    int32_t getMinHeight() const override;
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;
    void setVisible(bool visible, bool recurse) override;
    void centreInParent() override;
    bool isContainer() const override { return true; }
    void childChanged() override { doLayout(); }
    s::gui::IWindow* getWindow() const override { return const_cast<Window*>(this); }

    // IContainer
    void doLayout() override;
    s::gui::layout::ILayoutManager* getLayoutManager() const override;
    void setLayoutManager(s::gui::layout::ILayoutManager* manager) override { m_layout = manager; }

    // IWindow
    void setScreenX(int32_t x) override { setX(x); }
    void setScreenY(int32_t y) override { setY(y); }
    bool isClosed() const override { return m_closed.load(); }
    void close() override;
    void vetoClose() override { m_veto = true; }
    bool isUserClose() const override { return m_userClose; }
    bool waitUntilClosed(uint32_t limitMs) override;
    void bringToFront(bool front) override;
    bool isMinimised() const override;
    void minimise() override;
    bool isMaximised() const override;
    void maximise() override;
    void restore() override;
    void showNormal() override;
    void setEasyDrag(bool on) override;
    void setMaximizeBox(bool on) override;
    void setMinimizeBox(bool on) override;
    void setSystemMenu(bool on) override;
    void setCaption(bool on) override;
    void setToolWindow(bool on) override;
    void setFramed(bool on) override;
    void setClientEdge(bool on) override;
    void setAppWindow(bool on) override;
    bool isResizable() const override { return m_resizable; }
    void setResizable(bool on) override;
    void setModalState(bool modal) override;
    void setTopmost(bool on) override;
    bool isTopmost() const override { return m_topmost; }
    const wchar_t* getTitle() const override { return m_title.cString(); }
    void setTitle(const wchar_t* title) override;
    void setTitleFromTextIds(int32_t titleId, int32_t versionId) override;
    bool hasLocalizer() const override { return m_localizer != nullptr; }
    s::gui::ITextLocalizer* getLocalizer() const override { return m_localizer; }
    void setLocalizer(s::gui::ITextLocalizer* localizer) override;
    void addCloser(s::gui::IComponent* component) override;
    void addListener(int32_t code, s::gui::events::IEventListener* listener) override;
    void removeListener(int32_t code, s::gui::events::IEventListener* listener) override;
    void addCloseListener(s::gui::events::IEventListener* l) override { addListener(kEventClose, l); }
    void addRightDownListener(s::gui::events::IEventListener* l) override {
        addListener(kEventRightDown, l);
    }
    void addLeftDownListener(s::gui::events::IEventListener* l) override {
        addListener(kEventLeftDown, l);
    }
    void addRightUpListener(s::gui::events::IEventListener* l) override {
        addListener(kEventRightUp, l);
    }
    void addLeftUpListener(s::gui::events::IEventListener* l) override {
        addListener(kEventLeftUp, l);
    }
    void addDoubleClickListener(s::gui::events::IEventListener* l) override {
        addListener(kEventDoubleClick, l);
    }
    void addMiddleDownListener(s::gui::events::IEventListener* l) override {
        addListener(kEventMiddleDown, l);
    }
    void addResizeListener(s::gui::events::IEventListener* l) override {
        addListener(kEventResize, l);
    }
    void addActivateListener(s::gui::events::IEventListener* l) override {
        addListener(kEventActivate, l);
    }
    void addDeactivateListener(s::gui::events::IEventListener* l) override {
        addListener(kEventDeactivate, l);
    }
    void addPositionChangingListener(s::gui::events::IEventListener* l) override {
        addListener(kEventPositionChanging, l);
    }
    void addMoveListener(s::gui::events::IEventListener* l) override { addListener(kEventMove, l); }
    void addKeyDownListener(s::gui::events::IEventListener* l) override {
        addListener(kEventKeyDown, l);
    }
    void addRestoreListener(s::gui::events::IEventListener* l) override {
        addListener(kEventRestore, l);
    }
    void setMenuBar(s::gui::IMenuBar* menuBar) override;
    void setContextMenu(s::gui::IPopupMenu* menu, bool owned) override;

    bool registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key, const wchar_t* name,
                        bool report) override;
    void unregisterHotKey(const wchar_t* name) override;
    void unregisterAllHotKeys() override;
    void addHotKeyListener(s::gui::events::IEventListener* l) override { addListener(kEventHotKey, l); }
    bool isOwnHotKey(const wchar_t* name) const override;
    uint32_t getHotKeyCount() const { return m_hotKeys.count(); }
    bool startTimer(int32_t id, uint32_t periodMs) override;
    void stopTimer(int32_t id) override;
    void addTimerListener(s::gui::events::IEventListener* l) override { addListener(kEventTimer, l); }
    int32_t getTimerId() const override { return m_timerId; }
    void markTimerHandled() override { m_timerHandled = true; }
    void setAlpha(int32_t percent, bool onlyWhileTopmost) override;
    int32_t getAlpha() const override { return m_hover.alpha(); }
    void setHoverEffect(bool on, bool fade, bool onlyWhileTopmost, int32_t delaySeconds, int32_t shrunkWidth,
                        int32_t shrunkHeight, bool shiftOverrides) override;
    // The two forms of the hover effect on their own, neither held back by topmost.
    void setHoverFade(bool on, int32_t delaySeconds);
    void setHoverShrink(bool on, int32_t delaySeconds, int32_t width, int32_t height);
    bool isFaded() const override { return m_hover.isFaded(); }
    bool isHoverEffectActive() const override { return m_hover.isActive(); }
    bool isShrunk() const override { return m_hover.isShrunk(); }
    void setClipboardViewer(bool on) override;
    void addClipboardListener(s::gui::events::IEventListener* l) override { addListener(kEventClipboard, l); }
    bool isSuspended() const override { return m_suspended; }
    bool setTrayIconVisible(bool visible) override;
    bool isTrayIconShown() const override { return m_tray.isShown(); }
    void updateTrayIcon() override;
    void setTrayIconLocked(bool locked) override;
    bool isTrayIconLocked() const override { return m_tray.isLocked(); }
    void setTrayIconPersistent(bool on) override;
    void setCloseToTray(bool on) override;
    void hideToTray() override;
    bool isHiddenToTray() const override { return m_tray.isHidden(); }
    void setTrayMenu(s::gui::IPopupMenu* menu, bool owned) override;
    void addTrayRightClickListener(s::gui::events::IEventListener* l) override {
        addListener(kEventTrayRightClick, l);
    }
    void addTrayLeftClickListener(s::gui::events::IEventListener* l) override {
        addListener(kEventTrayLeftClick, l);
    }
    void addContextMenuListener(s::gui::events::IEventListener* l) override { addListener(kEventContextMenu, l); }
    void setCursorFollow(bool on) override;
    void setTrayClickToggles(bool on) override;
    void setHideCursor(bool on) override;
    void setPassDoubleClicks(bool on) override;
    // The frame painted by a window drawer, which also gives the window its shape.
    void setDrawer(s::gui::drawer::IWindow* drawer, bool owned) override;
    s::gui::drawer::IWindow* getDrawer() const override { return m_frame.drawer(); }
    void keepOnVirtualScreen(bool on) override;
    bool isSizingLeft() const override { return m_sizingEdge == WMSZ_LEFT; }
    bool isSizingRight() const override { return m_sizingEdge == WMSZ_RIGHT; }
    bool isSizingTop() const override { return m_sizingEdge == WMSZ_TOP; }
    bool isSizingBottom() const override { return m_sizingEdge == WMSZ_BOTTOM; }
    bool isSizingTopLeft() const override { return m_sizingEdge == WMSZ_TOPLEFT; }
    bool isSizingTopRight() const override { return m_sizingEdge == WMSZ_TOPRIGHT; }
    bool isSizingBottomLeft() const override { return m_sizingEdge == WMSZ_BOTTOMLEFT; }
    bool isSizingBottomRight() const override { return m_sizingEdge == WMSZ_BOTTOMRIGHT; }
    int32_t getSizingLeft() const override { return m_sizingRect.left; }
    void setSizingLeft(int32_t v) override { m_sizingRect.left = v; }
    int32_t getSizingRight() const override { return m_sizingRect.right; }
    void setSizingRight(int32_t v) override { m_sizingRect.right = v; }
    int32_t getSizingTop() const override { return m_sizingRect.top; }
    void setSizingTop(int32_t v) override { m_sizingRect.top = v; }
    int32_t getSizingBottom() const override { return m_sizingRect.bottom; }
    void setSizingBottom(int32_t v) override { m_sizingRect.bottom = v; }
    void setCapture() override;
    int32_t getCaptureReleaseX() const override { return m_captureRelease.x; }
    int32_t getCaptureReleaseY() const override { return m_captureRelease.y; }
    void addCaptureChangedListener(s::gui::events::IEventListener* l) override {
        addListener(kEventCaptureChanged, l);
    }
    // Icons from pictures; an owned picture is released with the window or the next one.
    s::image::win::BufferedImage* getLargeIcon() const override { return m_largeIcon.image; }
    void setLargeIcon(s::image::win::BufferedImage* image, bool owned) override;
    s::image::win::BufferedImage* getSmallIcon() const override { return m_smallIcon.image; }
    void setSmallIcon(s::image::win::BufferedImage* image, bool owned) override;
    HICON getLargeIconHandle() const { return m_largeIcon.handle; }
    HICON getSmallIconHandle() const { return m_smallIcon.handle; }
    bool hasSkinner() const override { return m_skinner != nullptr; }
    s::gui::drawer::Skinner* getSkinner() const override { return m_skinner; }
    void setSkinner(s::gui::drawer::Skinner* skinner) override;
    // Kept, the system's frame (title bar, close box, Alt+F4) stays while the skin paints
    // the controls; else the skin's window drawer paints the frame too. Set before the skinner.
    void setKeepNativeFrame(bool keep) { m_keepNativeFrame = keep; }
    s::image::win::BufferedImage* captureUnderCorner() const override;
    LRESULT sendUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                          const wchar_t* text) override;
    bool postUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                       const wchar_t* text) override;
    const wchar_t* getEventName() const override { return m_event.name; }
    int32_t getEventValue1() const override { return m_event.value1; }
    int32_t getEventValue2() const override { return m_event.value2; }
    const wchar_t* getEventText() const override { return m_event.text; }
    void setEventResult(LRESULT result) override { m_eventResult = result; }
    void addUserEventListener(s::gui::events::IEventListener* l) override {
        addListener(kEventUser, l);
    }
    void addSizingListener(s::gui::events::IEventListener* l) override {
        addListener(kEventSizing, l);
    }
    void setFixedWidth(int32_t width) override { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) override { m_fixedHeight = height; }
    void setEnforceMinSize(bool width, bool height) override;
    void growToMinSize() override;
    void fitHeightToMinimum() override { setSize(getWidth(), getMinHeight()); }
    void sizeToMinimum() override { setSize(getMinWidth(), getMinHeight()); }
    void sizeToTarget() override { setSize(getTargetWidth(), getTargetHeight()); }
    int32_t getLastKey() const override { return m_lastKey; }
    void setLastKey(int32_t key) override { m_lastKey = key; }
    // Tab and Shift+Tab move the focus through the controls that take it (off by default:
    // a window whose key listener moves the focus itself keeps that).
    void setKeyboardNavigation(bool on) { m_keyboardNavigation = on; }
    void addMouseMoveListener(s::gui::events::IEventListener* l) override {
        addListener(kEventMouseMove, l);
    }
    void addWheelListener(s::gui::events::IEventListener* l) override {
        addListener(kEventWheel, l);
    }
    int32_t getWheelLines() const override { return m_wheelLines; }
    int32_t getFrameWidth() const override;
    int32_t getFrameHeight() const override;
    void setMinWidth(int32_t width) override { m_explicitMinWidth = width; }
    void setMinHeight(int32_t height) override { m_explicitMinHeight = height; }
    void showInformation(const wchar_t* text) override;
    void showError(const wchar_t* text) override;
    bool askYesNo(const wchar_t* text) override;
    void applySettings(s::gui::IWindowSettings* settings, bool withVersion) override;
    void storeSettings() override;
    void setMiddleClickAction(const wchar_t* action) override;
    bool isOnScreen() const override;
    void moveOntoScreen() override;
    void show(bool visible, bool activate) override;
    void addUser7Listener(s::gui::events::IEventListener* l) override {
        addListener(kEventUser7, l);
    }
    void setRecentreWhenOffScreen(bool on) override { m_recentre = on; }
    void addLanguageListener(s::gui::events::IEventListener* l) override {
        addListener(kEventLanguage, l);
    }
    bool isShuttingDown() const override { return m_shuttingDown; }
    HWND getHandle() const override { return m_hWnd; }
    bool runOnUiThread(void (*function)(void*), void* argument, uint32_t limitMs) override;
    bool windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void onSizeOrMove(UINT message, WPARAM wParam, LPARAM lParam) override;

    // IEventListener: the localizer's language change, and the closers' events.
    void onEvent(void* source, int32_t code) override;
    // ISkinListener: the skin changed, so does the frame.
    void onEvent(s::gui::drawer::Skinner* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_Window"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

    // Called by the UI thread at its start: false when the thread cannot go on.
    bool createWindowsOnUiThread();
    bool isActive() const { return m_active; }
    uint32_t uiThreadId() const;
    HWND invisibleHandle() const { return m_invisible.m_hWnd; }

    // For the window's parts, on its UI thread.
    void fire(int32_t code);
    bool isTornDown() const { return m_tornDown; }
    // The size last asked for through setBounds, which the native one may not have yet.
    int32_t boundsWidth() const { return m_width; }
    int32_t boundsHeight() const { return m_height; }
    int64_t deactivationTime() const { return m_deactivationTime; }
    RECT windowRect() const;
    WindowCursor& cursor() { return m_cursor; }

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    void relayout() override { doLayout(); }

private:
    void teardown();
    void moveFocus(bool backwards);
    static BOOL CALLBACK collectTabStop(HWND child, LPARAM list);
    bool openMenuBarByKey(wchar_t key);
    static void forgetNativeWindows(s::gui::IComponent* component);
    // Runs f on the UI thread, or here when the window has no UI thread to read what f sets.
    template <class F>
    void onUiThreadOrHere(F&& f) {
        if (!onUiThread(*this, f, kWaitForever)) f();
    }
    void closeNative();
    void languageChanged();
    bool onClose();
    void onActivate(WPARAM wParam);
    void onUserEvent(WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool onCommand(WPARAM wParam, LPARAM lParam);
    void openContextMenu();
    bool onSysCommand(WPARAM wParam, LPARAM lParam);
    bool onTimer(WPARAM id);
    bool onUserTimer(WPARAM id);
    void startUserTimer(LRESULT* result, WPARAM id, LPARAM periodMs);
    void stopUserTimer(WPARAM id);
    bool onMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam);
    void onWheel(WPARAM wParam, LPARAM lParam);
    void onSizing(WPARAM edge, RECT* rect);
    void drainPostedEvents();
    void modifyStyle(DWORD remove, DWORD add, UINT flags);
    void modifyStyleEx(DWORD remove, DWORD add, UINT flags);
    void rememberNormalBounds();
    void passNormalBounds(bool maximised);
    RECT clientRect() const;
    struct Icon {
        s::image::win::BufferedImage* image = nullptr;
        bool owned = false;
        HICON handle = nullptr;
    };
    void setIcon(Icon* icon, s::image::win::BufferedImage* image, bool owned, WPARAM kind);
    void releaseIcon(Icon* icon);
    void applyIconSet(s::image::IBufferedImageSet* icons);
    void takeSkinDrawer();
    void releaseLooks();
    void keepProposedOnScreen(WINDOWPOS* pos) const;
    void showForTaskbar();
    void showUnlessClosed();
    void onCaptureChanged(HWND next);

    // The parts: each holds the state only it uses and runs on the UI thread.
    WindowHover m_hover{*this};
    WindowTray m_tray{*this};
    WindowFrame m_frame{*this};
    WindowHotKeys m_hotKeys{*this};
    WindowClipboard m_clipboard{*this};
    WindowCursor m_cursor{*this};

    bool m_keepOnVirtualScreen = false;
    bool m_passDoubleClicks = false;
    bool m_captureWatched = false;
    POINT m_captureRelease = {};
    Icon m_largeIcon, m_smallIcon;
    s::gui::drawer::Skinner* m_skinner = nullptr;
    bool m_keepNativeFrame = false;

    InvisibleWindow m_invisible;
    UIThread* m_thread = nullptr;
    std::atomic<bool> m_closed{false};
    bool m_veto = false;
    // The user asked to close (WM_SYSCOMMAND SC_CLOSE, a middle click): the next WM_CLOSE is
    // theirs; true while its close listeners run.
    bool m_userCloseAsked = false;
    bool m_userClose = false;
    s::gui::layout::ILayoutManager* m_layout = nullptr;
    // While the layout places the children: one that changed meanwhile asks for another pass.
    bool m_arranging = false;
    bool m_childChangedMeanwhile = false;
    s::str::strbuffer::StrBuffer m_title;
    int32_t m_titleId = -1, m_versionId = -1;
    s::gui::ITextLocalizer* m_localizer = nullptr;
    s::gui::IWindowSettings* m_settings = nullptr;
    s::gui::IMenuBar* m_menuBar = nullptr;
    s::gui::IPopupMenu* m_contextMenu = nullptr;
    std::vector<int32_t> m_timers;
    int32_t m_timerId = -1;
    bool m_timerHandled = false;
    bool m_suspended = false;
    bool m_contextMenuOwned = false;
    s::gui::events::ListenerList m_lists[kWindowEventCount];
    s::col::_array::ArrayP m_closers;
    s::gui::UserEvent m_event = {};
    LRESULT m_eventResult = 0;
    int32_t m_sizingEdge = 0;
    RECT m_sizingRect = {};
    int32_t m_explicitMinWidth = -1, m_explicitMinHeight = -1;
    bool m_enforceMinWidth = false, m_enforceMinHeight = false;
    RECT m_normalBounds = {};
    bool m_maximised = false;
    bool m_topmost = false, m_resizable = true, m_maximizeBox = true, m_minimizeBox = true;
    bool m_appWindow = false, m_recentre = true;
    s::str::strbuffer::StrBuffer m_middleClickAction;
    int32_t m_lastKey = 0;
    bool m_keyboardNavigation = false;
    int32_t m_wheelLines = 0;
    bool m_shuttingDown = false;
    bool m_active = false;
    int64_t m_deactivationTime = 0;
    bool m_tornDown = false;
};

}  // namespace s::gui::win
