// s/gui/win/BackBuffer.cpp
#include "s/gui/win/BackBuffer.h"

#include "mfc/CPaintDC.h"
#include "s/gui/win/MemDC.h"
#include "s/image/win/BufferedImage.h"

namespace s::gui::win {

BackBuffer::~BackBuffer() { release(); }

void BackBuffer::release() {
    if (m_image) m_image->releaseToPool();
    m_image = nullptr;
}

s::image::win::BufferedImage* BackBuffer::ensure(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (m_image && m_image->getWidth() == width && m_image->getHeight() == height) return m_image;
    release();
    m_image = s::image::win::newBufferedImage(width, height);
    if (m_image && m_image->getWidth() != width) release();
    return m_image;
}

bool BackBuffer::paint(HWND window, IBufferPainter* painter, const RECT* keepOut,
                       uint32_t keepOutCount) {
    CPaintDC screen(window);
    RECT client = {};
    GetClientRect(window, &client);
    s::image::win::BufferedImage* image = ensure(client.right, client.bottom);
    if (!screen.m_hDC || !image) return false;
    MemDC* dc = MemDC::createForWindow(window, image, false);
    if (!dc) return false;
    painter->paintBuffer(dc->m_hDC, client.right, client.bottom);
    for (uint32_t i = 0; i < keepOutCount; ++i)
        ExcludeClipRect(screen.m_hDC, keepOut[i].left, keepOut[i].top, keepOut[i].right,
                        keepOut[i].bottom);
    const bool copied = dc->copyTo(screen.m_hDC, 0, 0, client.right, client.bottom);
    dc->releaseToPool();
    return copied;
}

}  // namespace s::gui::win
