// s/gui/win/WindowClipboard.cpp
#include "s/gui/win/WindowClipboard.h"

#include "s/gui/win/Window.h"

namespace s::gui::win {

void WindowClipboard::join() {
    if (m_inChain) return;
    m_next = SetClipboardViewer(m_window.getHandle());
    m_inChain = true;
}

void WindowClipboard::leave() {
    if (!m_inChain) return;
    ChangeClipboardChain(m_window.getHandle(), m_next);
    m_inChain = false;
    m_next = nullptr;
}

bool WindowClipboard::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWCLIPBOARD:
        m_window.fire(s::gui::kEventClipboard);
        if (m_next) ::PostMessageW(m_next, message, wParam, lParam);
        return true;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == m_next)
            m_next = reinterpret_cast<HWND>(lParam);
        else if (m_next)
            ::PostMessageW(m_next, message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

}  // namespace s::gui::win
