// tests/s/gui/drawer/Canvas.h
//
// A white picture with a memory DC to paint drawers into, and its pixels read back as
// COLORREF values (red lowest). Solid GDI fills are exact in a 32-bit DIB under Wine.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "s/gui/win/MemDC.h"
#include "s/gui/win/UiScale.h"
#include "s/image/win/BufferedImage.h"

namespace tests::gui {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class Canvas {
public:
    Canvas(int32_t width, int32_t height, COLORREF paper = kWhite)
        : m_image(s::image::win::newBufferedImage(width, height)),
          m_dc(s::gui::win::MemDC::createForWindow(nullptr, m_image, true)) {
        clear(paper);
    }
    ~Canvas() {
        if (m_dc) m_dc->releaseToPool();
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return m_dc && m_image && m_image->getWidth() > 0; }
    HDC dc() const { return m_dc ? m_dc->m_hDC : nullptr; }
    s::image::win::BufferedImage* image() const { return m_image; }
    int32_t width() const { return m_image ? m_image->getWidth() : 0; }
    int32_t height() const { return m_image ? m_image->getHeight() : 0; }

    void clear(COLORREF paper) {
        if (!ok()) return;
        m_paper = paper;
        const RECT all = {0, 0, width(), height()};
        const COLORREF before = SetBkColor(dc(), paper);
        ExtTextOutW(dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SetBkColor(dc(), before);
    }
    COLORREF at(int32_t x, int32_t y) const {
        GdiFlush();
        const uint32_t p = m_image->getRow(y)[x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool inked(int32_t x, int32_t y) const { return at(x, y) != m_paper; }
    // Pixels that are not paper, optionally outside a rectangle.
    int32_t inkCount() const { return inkOutside(RECT{0, 0, 0, 0}); }
    int32_t inkOutside(const RECT& keep) const {
        int32_t n = 0;
        for (int32_t y = 0; y < height(); ++y) {
            for (int32_t x = 0; x < width(); ++x) {
                const POINT p = {x, y};
                if (inked(x, y) && !PtInRect(&keep, p)) ++n;
            }
        }
        return n;
    }
    // Ink as a text mask, '#' for ink and '.' for paper, row after row.
    std::string mask() const {
        std::string m;
        for (int32_t y = 0; y < height(); ++y) {
            for (int32_t x = 0; x < width(); ++x) m += inked(x, y) ? '#' : '.';
            m += '\n';
        }
        return m;
    }
    int32_t countColour(COLORREF c) const {
        int32_t n = 0;
        for (int32_t y = 0; y < height(); ++y) {
            for (int32_t x = 0; x < width(); ++x) n += at(x, y) == c;
        }
        return n;
    }

private:
    s::image::win::BufferedImage* m_image;
    s::gui::win::MemDC* m_dc;
    COLORREF m_paper = kWhite;
};

// Sets the drawers' scale for a scope.
class ScaleScope {
public:
    explicit ScaleScope(int32_t scale) { s::gui::win::overrideUiScale(scale); }
    ~ScaleScope() { s::gui::win::overrideUiScale(0); }
    ScaleScope(const ScaleScope&) = delete;
    ScaleScope& operator=(const ScaleScope&) = delete;
};

inline std::string hex(COLORREF c) {
    char text[16];
    wsprintfA(text, "%d,%d,%d", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

}  // namespace tests::gui
