// s/gui/win/BackBuffer.h
//
// The one back buffer of a control, kept while the control's size holds and re-made only
// when it changes, and the painting pattern every owner-painted control follows: answer
// WM_ERASEBKGND with 1 (no erase: the buffer covers every pixel, and an erase first is what
// flickers), then on WM_PAINT call paint(), which paints the whole client area into the
// buffer through a MemDC and copies it to the screen with one BitBlt.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::win {

class IBufferPainter {
public:
    virtual ~IBufferPainter() = default;
    // Paints every pixel of (0, 0, width, height) into dc.
    virtual void paintBuffer(HDC dc, int32_t width, int32_t height) = 0;
};

class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // The buffer of that size (the kept one while the size holds); null when none could be
    // made or the size is empty.
    s::image::win::BufferedImage* ensure(int32_t width, int32_t height);
    s::image::win::BufferedImage* image() const { return m_image; }
    // The WM_PAINT of `window`: false when nothing could be painted. The keep-out
    // rectangles (client coordinates) stay as they are on the screen: children paint there.
    bool paint(HWND window, IBufferPainter* painter, const RECT* keepOut = nullptr,
               uint32_t keepOutCount = 0);
    void release();

private:
    s::image::win::BufferedImage* m_image = nullptr;
};

}  // namespace s::gui::win
