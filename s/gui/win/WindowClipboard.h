// s/gui/win/WindowClipboard.h
//
// A top-level window's place in the clipboard-viewer chain: it tells its listeners of each
// change and hands every chain message on to the next viewer. It must leave the chain
// before its handle goes, or the chain ends at a window that is gone. Owned by its Window
// and touched only on its UI thread.
#pragma once
#include <windows.h>

namespace s::gui::win {

class Window;

class WindowClipboard {
public:
    explicit WindowClipboard(Window& window) : m_window(window) {}
    WindowClipboard(const WindowClipboard&) = delete;
    WindowClipboard& operator=(const WindowClipboard&) = delete;

    bool isInChain() const { return m_inChain; }
    void join();
    void leave();
    // WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN; false for every other message.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    Window& m_window;
    bool m_inChain = false;
    HWND m_next = nullptr;
};

}  // namespace s::gui::win
