// s/gui/IWindow.h
//
// A top-level window with a UI thread of its own. The thread that made it talks to it only
// through the operations below, which cross to the UI thread where they touch the native
// window or a field the UI thread reads. Each kind of event has its own listener list; the
// code passed to onEvent is the kind (WindowEvent), the window is the source.
//
// Threads: any thread may call every member, except that
//  - the readers and writers of the event in hand (getEventName .. setEventResult,
//    getTimerId, markTimerHandled, isUserClose, vetoClose, the sizing edge and rectangle,
//    getLastKey/setLastKey, getWheelLines, the capture's release point) belong to a
//    listener, which runs on the UI thread;
//  - windowProc and onSizeOrMove are the UI thread's own;
//  - the listener lists are filled before the window is shown, or on the UI thread.
// A member called on the UI thread runs there at once; from another thread the caller waits
// (serving the messages sent to it), so no listener may block the UI thread on a thread
// that is calling in.
#pragma once
#include <windows.h>

#include "s/gui/IContainer.h"

namespace s::gui::drawer {
class IWindow;
class Skinner;
}  // namespace s::gui::drawer
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui {

class IMenuBar;
class IPopupMenu;
class ITextLocalizer;
class IWindowSettings;

enum WindowEvent : int32_t {
    kEventClose = 1,
    kEventUser = 2,
    kEventRightDown = 3,
    kEventResize = 4,
    kEventLeftDown = 5,
    kEventActivate = 6,
    kEventDeactivate = 7,
    kEventSizing = 8,
    kEventMiddleDown = 9,
    kEventPositionChanging = 10,
    kEventMove = 11,
    kEventKeyDown = 12,
    kEventMouseMove = 13,
    kEventWheel = 14,
    kEventUser7 = 15,
    kEventDoubleClick = 16,
    kEventCaptureChanged = 17,
    kEventTrayRightClick = 18,
    kEventContextMenu = 19,
    kEventLanguage = 20,
    kEventRestore = 21,
    kEventTrayLeftClick = 22,
    kEventHotKey = 23,
    kEventRightUp = 24,
    kEventLeftUp = 25,
    kEventTimer = 26,
    kEventClipboard = 27,
};
constexpr int32_t kWindowEventCount = 27;

class IWindow : public IContainer {
public:
    virtual void setScreenX(int32_t x) = 0;
    virtual void setScreenY(int32_t y) = 0;
    virtual bool isClosed() const = 0;
    virtual void close() = 0;
    virtual void vetoClose() = 0;  // from a close listener: the window stays open
    // From a close listener: the close in hand is the user's own (the close box, Alt+F4,
    // the window menu, a middle click set to close), not another program's WM_CLOSE.
    virtual bool isUserClose() const = 0;
    // True once closed; false when limitMs passed first. Serves sent messages meanwhile.
    virtual bool waitUntilClosed(uint32_t limitMs) = 0;
    virtual void bringToFront(bool front) = 0;
    virtual bool isMinimised() const = 0;
    virtual void minimise() = 0;
    virtual bool isMaximised() const = 0;
    virtual void maximise() = 0;
    virtual void restore() = 0;
    virtual void showNormal() = 0;
    virtual void setEasyDrag(bool on) = 0;
    virtual void setMaximizeBox(bool on) = 0;
    virtual void setMinimizeBox(bool on) = 0;
    virtual void setSystemMenu(bool on) = 0;
    virtual void setCaption(bool on) = 0;
    virtual void setToolWindow(bool on) = 0;
    virtual void setFramed(bool on) = 0;
    virtual void setClientEdge(bool on) = 0;
    virtual void setAppWindow(bool on) = 0;
    virtual bool isResizable() const = 0;
    virtual void setResizable(bool on) = 0;
    virtual void setModalState(bool modal) = 0;
    virtual void setTopmost(bool on) = 0;
    virtual bool isTopmost() const = 0;
    virtual const wchar_t* getTitle() const = 0;
    virtual void setTitle(const wchar_t* title) = 0;
    virtual void setTitleFromTextIds(int32_t titleId, int32_t versionId) = 0;
    virtual bool hasLocalizer() const = 0;
    virtual ITextLocalizer* getLocalizer() const = 0;
    virtual void setLocalizer(ITextLocalizer* localizer) = 0;
    virtual void addCloser(IComponent* component) = 0;
    // One list per WindowEvent; the named adders below are this with their code.
    virtual void addListener(int32_t code, s::gui::events::IEventListener* listener) = 0;
    virtual void removeListener(int32_t code, s::gui::events::IEventListener* listener) = 0;
    virtual void addCloseListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addRightDownListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addLeftDownListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addRightUpListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addLeftUpListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addDoubleClickListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addMiddleDownListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addResizeListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addActivateListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addDeactivateListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addPositionChangingListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addMoveListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addKeyDownListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addRestoreListener(s::gui::events::IEventListener* listener) = 0;
    virtual void setMenuBar(IMenuBar* menuBar) = 0;
    // Synchronous: the listeners' result word; 0 when the window has no handle.
    virtual LRESULT sendUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                                  const wchar_t* text) = 0;
    // Returns at once; the event carries its own copy of the values. False when it could
    // not be posted (nothing is left behind then).
    virtual bool postUserEvent(const wchar_t* name, int32_t value1, int32_t value2,
                               const wchar_t* text) = 0;
    virtual const wchar_t* getEventName() const = 0;
    virtual int32_t getEventValue1() const = 0;
    virtual int32_t getEventValue2() const = 0;
    virtual const wchar_t* getEventText() const = 0;
    virtual void setEventResult(LRESULT result) = 0;
    virtual void addUserEventListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addSizingListener(s::gui::events::IEventListener* listener) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setEnforceMinSize(bool width, bool height) = 0;
    virtual void growToMinSize() = 0;
    virtual void fitHeightToMinimum() = 0;
    virtual void sizeToMinimum() = 0;
    virtual void sizeToTarget() = 0;
    virtual int32_t getLastKey() const = 0;
    virtual void setLastKey(int32_t key) = 0;  // from a key listener: the key it counts as
    virtual void addMouseMoveListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addWheelListener(s::gui::events::IEventListener* listener) = 0;
    virtual int32_t getWheelLines() const = 0;
    virtual int32_t getFrameWidth() const = 0;
    virtual int32_t getFrameHeight() const = 0;
    virtual void setMinWidth(int32_t width) = 0;
    virtual void setMinHeight(int32_t height) = 0;
    virtual void showInformation(const wchar_t* text) = 0;
    virtual void showError(const wchar_t* text) = 0;
    virtual bool askYesNo(const wchar_t* text) = 0;
    virtual void applySettings(IWindowSettings* settings, bool withVersion) = 0;
    virtual void storeSettings() = 0;
    virtual void setMiddleClickAction(const wchar_t* action) = 0;
    virtual bool isOnScreen() const = 0;
    virtual void moveOntoScreen() = 0;
    virtual void show(bool visible, bool activate) = 0;
    virtual void addUser7Listener(s::gui::events::IEventListener* listener) = 0;
    virtual void setRecentreWhenOffScreen(bool on) = 0;
    virtual void addLanguageListener(s::gui::events::IEventListener* listener) = 0;
    virtual bool isShuttingDown() const = 0;

    // The tray icon (its tip is the title) and its menu, opened by a right click on the
    // icon; an owned menu is released with the window. A locked icon stays when hidden; a
    // persistent one stays when the window comes back from the tray. Tray messages still
    // queued when the window closed are not acted on.
    virtual bool setTrayIconVisible(bool visible) = 0;
    virtual bool isTrayIconShown() const = 0;
    virtual void updateTrayIcon() = 0;
    virtual void setTrayIconLocked(bool locked) = 0;
    virtual bool isTrayIconLocked() const = 0;
    virtual void setTrayIconPersistent(bool on) = 0;
    virtual void setCloseToTray(bool on) = 0;
    virtual void hideToTray() = 0;
    virtual bool isHiddenToTray() const = 0;
    virtual void setTrayMenu(IPopupMenu* menu, bool owned) = 0;
    virtual void addTrayRightClickListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addTrayLeftClickListener(s::gui::events::IEventListener* listener) = 0;
    // Opened at the cursor by a right button press; an owned menu is released with the window.
    virtual void setContextMenu(IPopupMenu* menu, bool owned) = 0;
    virtual void addContextMenuListener(s::gui::events::IEventListener* listener) = 0;
    // Hot keys by name, registered on the UI thread. A clash answers false, shows its
    // report when asked to, and leaves the window as it was.
    virtual bool registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key, const wchar_t* name,
                                bool report) = 0;
    virtual void unregisterHotKey(const wchar_t* name) = 0;
    virtual void unregisterAllHotKeys() = 0;
    virtual void addHotKeyListener(s::gui::events::IEventListener* listener) = 0;
    virtual bool isOwnHotKey(const wchar_t* name) const = 0;
    // User timers; a timer's message still queued after it stopped is not reported.
    virtual bool startTimer(int32_t id, uint32_t periodMs) = 0;
    virtual void stopTimer(int32_t id) = 0;
    virtual void addTimerListener(s::gui::events::IEventListener* listener) = 0;
    virtual int32_t getTimerId() const = 0;
    virtual void markTimerHandled() = 0;
    // Transparency in percent; with onlyWhileTopmost the window is opaque unless topmost.
    virtual void setAlpha(int32_t percent, bool onlyWhileTopmost) = 0;
    virtual int32_t getAlpha() const = 0;
    // Fade (the window turns see-through while the cursor is over it) or shrink (to the
    // given size; a negative side is kept), undone `delaySeconds` after the cursor left.
    // onlyWhileTopmost: nothing happens unless the window is topmost; shiftOverrides:
    // holding Shift brings the window back at once.
    virtual void setHoverEffect(bool on, bool fade, bool onlyWhileTopmost, int32_t delaySeconds,
                                int32_t shrunkWidth, int32_t shrunkHeight, bool shiftOverrides) = 0;
    virtual bool isShrunk() const = 0;
    virtual bool isFaded() const = 0;
    virtual bool isHoverEffectActive() const = 0;
    // Membership of the clipboard-viewer chain; the window leaves it when it closes or goes.
    virtual void setClipboardViewer(bool on) = 0;
    virtual void addClipboardListener(s::gui::events::IEventListener* listener) = 0;
    virtual bool isSuspended() const = 0;
    // While shown, the window moves towards the cursor every 100 ms.
    virtual void setCursorFollow(bool on) = 0;
    // A left click on the tray icon hides the window there or brings it back.
    virtual void setTrayClickToggles(bool on) = 0;
    virtual void setHideCursor(bool on) = 0;
    virtual void setPassDoubleClicks(bool on) = 0;
    // A drawer paints the frame (the native frame goes) and shapes the window; its
    // borders size it when the window is resizable.
    virtual void setDrawer(s::gui::drawer::IWindow* drawer, bool owned) = 0;
    virtual s::gui::drawer::IWindow* getDrawer() const = 0;
    virtual void keepOnVirtualScreen(bool on) = 0;
    // The edge being dragged and the proposed rectangle, for sizing listeners.
    virtual bool isSizingLeft() const = 0;
    virtual bool isSizingRight() const = 0;
    virtual bool isSizingTop() const = 0;
    virtual bool isSizingBottom() const = 0;
    virtual bool isSizingTopLeft() const = 0;
    virtual bool isSizingTopRight() const = 0;
    virtual bool isSizingBottomLeft() const = 0;
    virtual bool isSizingBottomRight() const = 0;
    virtual int32_t getSizingLeft() const = 0;
    virtual void setSizingLeft(int32_t value) = 0;
    virtual int32_t getSizingRight() const = 0;
    virtual void setSizingRight(int32_t value) = 0;
    virtual int32_t getSizingTop() const = 0;
    virtual void setSizingTop(int32_t value) = 0;
    virtual int32_t getSizingBottom() const = 0;
    virtual void setSizingBottom(int32_t value) = 0;
    // Captures the mouse; when the capture ends the cursor's place is kept and code 17 fires.
    virtual void setCapture() = 0;
    virtual int32_t getCaptureReleaseX() const = 0;
    virtual int32_t getCaptureReleaseY() const = 0;
    virtual void addCaptureChangedListener(s::gui::events::IEventListener* listener) = 0;
    virtual s::image::win::BufferedImage* getLargeIcon() const = 0;
    virtual void setLargeIcon(s::image::win::BufferedImage* image, bool owned) = 0;
    virtual s::image::win::BufferedImage* getSmallIcon() const = 0;
    virtual void setSmallIcon(s::image::win::BufferedImage* image, bool owned) = 0;
    virtual bool hasSkinner() const = 0;
    virtual s::gui::drawer::Skinner* getSkinner() const = 0;
    // Follows the skinner: the window takes the current skin's window drawer, and again
    // whenever the skin changes.
    virtual void setSkinner(s::gui::drawer::Skinner* skinner) = 0;
    // A picture of the top-level window beneath this one at the point one pixel inside its
    // top-left corner, which the caller owns; null when there is none.
    virtual s::image::win::BufferedImage* captureUnderCorner() const = 0;
    virtual HWND getHandle() const = 0;
    // Runs function(argument) on the UI thread: at once when called there, else waiting at
    // most limitMs (0xFFFFFFFF: until it ran). False when the window has no handle or the
    // limit passed first. The typed form is onUiThread (s/gui/win/OnUiThread.h).
    virtual bool runOnUiThread(void (*function)(void*), void* argument, uint32_t limitMs) = 0;
    virtual bool windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void onSizeOrMove(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
