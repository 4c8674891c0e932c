// s/gui/win/WindowFrame.h
//
// The frame a window drawer paints in place of the system's, with the shape it gives the
// window: painted through a back buffer over the whole window (the client area is all of
// it), hit-tested by its borders, and dragged by them while the window is resizable. Easy
// drag (the body moves the window like a caption) lives here too, as it answers the same
// hit test. Owned by its Window and touched only on its UI thread. A frame buffer that
// cannot be made leaves the frame unpainted; the window goes on.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/win/BackBuffer.h"
#include "s/gui/win/DrawerHolder.h"

namespace s::gui::drawer {
class IWindow;
}  // namespace s::gui::drawer
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::win {

class Window;

class WindowFrame final : private IBufferPainter {
public:
    explicit WindowFrame(Window& window);
    ~WindowFrame() override;
    WindowFrame(const WindowFrame&) = delete;
    WindowFrame& operator=(const WindowFrame&) = delete;

    s::gui::drawer::IWindow* drawer() const { return m_drawer.get(); }
    // Without a drawer the system's frame and shape come back (the caller restores its
    // styles).
    void setDrawer(s::gui::drawer::IWindow* drawer, bool owned);
    void release();
    // What the frame was last painted into, for children that copy their background.
    s::image::win::BufferedImage* picture() const { return m_buffer.image(); }

    bool isEasyDrag() const { return m_easyDrag; }
    void setEasyDrag(bool on) { m_easyDrag = on; }
    // WM_NCHITTEST is the frame's while there is a drawer or easy drag.
    bool answersHitTest() const { return m_easyDrag || m_drawer; }
    LRESULT hitTest(LRESULT answer, LPARAM lParam) const;
    // A right button press or release that easy drag made a caption click.
    bool isEasyDragClick(WPARAM hit, LPARAM lParam) const;

    // The shape follows the size.
    void onPositionChanged();
    void onMouseMove();
    // True when the press started a drag of an edge (the press is the frame's then).
    bool startDrag();
    void finishDrag();
    void onCaptureChanged(HWND next);
    // The painting and non-client messages while a drawer paints the frame.
    bool onMessage(LRESULT* result, UINT message, WPARAM wParam);

private:
    void paintBuffer(HDC dc, int32_t width, int32_t height) override;
    int32_t edgeAt(POINT screen) const;
    void dragTo(POINT screen);

    Window& m_window;
    DrawerHolder<s::gui::drawer::IWindow> m_drawer;
    BackBuffer m_buffer;
    bool m_easyDrag = false;
    int32_t m_edge = 0;  // the WMSZ edge under the cursor while the frame has it
    bool m_dragging = false;
    POINT m_dragAnchor = {};
    RECT m_dragStart = {};
};

}  // namespace s::gui::win
