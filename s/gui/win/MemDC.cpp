// s/gui/win/MemDC.cpp
#include "s/gui/win/MemDC.h"

#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

MemDC::~MemDC() { resetForReuse(); }

MemDC* MemDC::createForWindow(HWND window, s::image::win::BufferedImage* image, bool ownsImage) {
    MemDC* dc = s::thread::Pool<MemDC, 0>::obtain();
    if (dc && dc->attach(window, image, ownsImage)) return dc;
    if (dc) dc->releaseToPool();
    if (ownsImage && image) image->releaseToPool();
    return nullptr;
}

bool MemDC::attach(HWND window, s::image::win::BufferedImage* image, bool ownsImage) {
    HDC windowDc = GetDC(window);
    if (!windowDc) return false;
    const BOOL made = CreateCompatibleDC(windowDc);
    ReleaseDC(window, windowDc);
    if (!made) return false;
    m_image = image;
    m_ownsImage = ownsImage;
    HBITMAP bitmap = image ? image->getBitmapHandle() : nullptr;
    m_previousBitmap = bitmap ? SelectObject(bitmap) : nullptr;
    return true;
}

bool MemDC::copyTo(HDC target, int32_t x, int32_t y, int32_t w, int32_t h) const {
    return ::BitBlt(target, x, y, w, h, m_hDC, 0, 0, SRCCOPY) != FALSE;
}

s::base::IObject* MemDC::newInstance() const { return s::thread::Pool<MemDC, 0>::obtain(); }
void MemDC::releaseToPool() { s::thread::Pool<MemDC, 0>::release(this); }

void MemDC::resetForReuse() {
    if (m_image) {
        if (m_previousBitmap) SelectObject(m_previousBitmap);
        if (m_ownsImage) m_image->releaseToPool();
    }
    m_image = nullptr;
    m_previousBitmap = nullptr;
    m_ownsImage = false;
    DeleteDC();
}

}  // namespace s::gui::win
