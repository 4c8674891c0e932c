// s/gui/win/WindowFrame.cpp
#include "s/gui/win/WindowFrame.h"

#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/FrameHitTest.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

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

WindowFrame::WindowFrame(Window& window) : m_window(window) {}

WindowFrame::~WindowFrame() = default;

void WindowFrame::setDrawer(s::gui::drawer::IWindow* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    if (m_drawer) return;
    m_buffer.release();
    if (HWND handle = m_window.getHandle()) ::SetWindowRgn(handle, nullptr, TRUE);
}

void WindowFrame::release() {
    m_drawer.release();
    m_buffer.release();
}

void WindowFrame::paintBuffer(HDC dc, int32_t width, int32_t height) {
    s::gui::drawer::win::fill(dc, 0, 0, width, height, m_window.getBackgroundColour());
    if (m_drawer) m_drawer->draw(dc, 0, 0, width, height);
}

// The system owns the region once it is set.
void WindowFrame::onPositionChanged() {
    const HWND handle = m_window.getHandle();
    if (!m_drawer || !handle) return;
    const RECT r = m_window.windowRect();
    ::SetWindowRgn(handle, m_drawer->createRegion(0, 0, r.right - r.left - 1, r.bottom - r.top - 1), TRUE);
    ::RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// A caption answer for a point of the client area is easy drag's: the hit test cannot tell
// a right click from a left one (the button's state is not yet down while the system asks
// where the press lands, Wine 8.0, checked), so the button message that follows tells it.
bool WindowFrame::isEasyDragClick(WPARAM hit, LPARAM lParam) const {
    if (!m_easyDrag || hit != HTCAPTION) return false;
    POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    RECT client = {};
    ::ScreenToClient(m_window.getHandle(), &p);
    ::GetClientRect(m_window.getHandle(), &client);
    return PtInRect(&client, p) != FALSE;
}

LRESULT WindowFrame::hitTest(LRESULT answer, LPARAM lParam) const {
    if (m_drawer) {
        const RECT r = m_window.windowRect();
        answer = frameHitTest(static_cast<int16_t>(LOWORD(lParam)) - r.left,
                              static_cast<int16_t>(HIWORD(lParam)) - r.top, r.right - r.left, r.bottom - r.top,
                              uiScale(), answer);
    }
    if (m_easyDrag && answer == HTCLIENT && !(GetKeyState(VK_RBUTTON) & 0x8000)) answer = HTCAPTION;
    return answer;
}

int32_t WindowFrame::edgeAt(POINT screen) const {
    const RECT r = m_window.windowRect();
    const LRESULT code = frameHitTest(screen.x - r.left, screen.y - r.top, r.right - r.left, r.bottom - r.top,
                                      uiScale(), HTCLIENT);
    // HTLEFT .. HTBOTTOMRIGHT are WMSZ_LEFT .. WMSZ_BOTTOMRIGHT shifted by the same amount.
    return code >= HTLEFT && code <= HTBOTTOMRIGHT ? static_cast<int32_t>(code - HTLEFT + WMSZ_LEFT) : 0;
}

// Over the drawn frame the window holds the mouse, so that the press that follows starts
// a drag of that edge; leaving the frame lets it go.
void WindowFrame::onMouseMove() {
    if (!m_drawer || !m_window.isResizable()) return;
    const POINT cursor = messagePoint();
    if (m_dragging) {
        dragTo(cursor);
        return;
    }
    const HWND handle = m_window.getHandle();
    const int32_t edge = edgeAt(cursor);
    if (edge) {
        ::SetCursor(::LoadCursorW(nullptr, sizeCursorOf(edge)));
        m_edge = edge;
        if (::GetCapture() != handle) ::SetCapture(handle);
    } else if (m_edge) {
        m_edge = 0;
        if (::GetCapture() == handle) ::ReleaseCapture();
    }
}

bool WindowFrame::startDrag() {
    if (!m_edge || m_dragging) return false;
    const POINT cursor = messagePoint();
    const RECT r = m_window.windowRect();
    if (!PtInRect(&r, cursor)) return false;
    m_dragAnchor = cursor;
    m_dragStart = r;
    m_dragging = true;
    return true;
}

void WindowFrame::finishDrag() {
    if (!m_dragging) return;
    m_dragging = false;
    m_edge = 0;
    if (::GetCapture() == m_window.getHandle()) ::ReleaseCapture();
}

void WindowFrame::dragTo(POINT screen) {
    const int32_t dx = screen.x - m_dragAnchor.x, dy = screen.y - m_dragAnchor.y;
    const int32_t edge = m_edge;
    RECT r = m_dragStart;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) r.left += dx;
    if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) r.right += dx;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) r.top += dy;
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) r.bottom += dy;
    // As the system's own sizing does: the sizing listeners and the clamps see it first.
    ::SendMessageW(m_window.getHandle(), WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
    m_window.setBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void WindowFrame::onCaptureChanged(HWND next) {
    if (next != m_window.getHandle() && !m_dragging) m_edge = 0;
    if (next != m_window.getHandle()) m_dragging = false;
}

bool WindowFrame::onMessage(LRESULT* result, UINT message, WPARAM wParam) {
    if (!m_drawer) return false;
    switch (message) {
    case WM_PAINT:
        m_buffer.paint(m_window.getHandle(), this);
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

}  // namespace s::gui::win
