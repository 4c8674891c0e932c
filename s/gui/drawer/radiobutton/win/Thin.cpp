// s/gui/drawer/radiobutton/win/Thin.cpp
#include "s/gui/drawer/radiobutton/win/Thin.h"

#include <initializer_list>

#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/MemDC.h"
#include "s/gui/win/UiScale.h"
#include "s/image/win/BufferedImage.h"

namespace s::gui::drawer::radiobutton::win {

using s::gui::drawer::win::rgbOf;

Thin::Thin() : m_text(s::gui::drawer::text::win::Basic::obtain()) { resetForReuse(); }

Thin::~Thin() {
    releaseDrawer(m_text);
    for (auto* dc : {m_scratch, m_mark}) {
        if (dc) dc->releaseToPool();
    }
}

void Thin::resetForReuse() {
    m_ring = RGB(120, 120, 120);
    m_dot = RGB(53, 185, 56);
    if (m_text) m_text->resetForReuse();
}

void Thin::setRingColour(int32_t r, int32_t g, int32_t b) { m_ring = rgbOf(r, g, b); }
void Thin::setDotColour(int32_t r, int32_t g, int32_t b) { m_dot = rgbOf(r, g, b); }
void Thin::setTextColour(int32_t r, int32_t g, int32_t b) {
    if (m_text) m_text->getNormalFont()->setTextColour(r, g, b);
}
void Thin::setDisabledTextColour(int32_t r, int32_t g, int32_t b) {
    if (m_text) m_text->getDisabledFont()->setTextColour(r, g, b);
}

bool Thin::paintScratch(HDC scratch, bool checked, COLORREF background) const {
    s::gui::drawer::win::fill(scratch, 0, 0, kScratchSize, kScratchSize, background);
    HPEN ring = CreatePen(PS_SOLID, 4, m_ring);
    HBRUSH face = CreateSolidBrush(background);
    HBRUSH dot = checked ? CreateSolidBrush(m_dot) : nullptr;
    const bool made = ring && face && (!checked || dot);
    if (made) {
        HGDIOBJ penBefore = SelectObject(scratch, ring);
        HGDIOBJ brushBefore = SelectObject(scratch, face);
        Ellipse(scratch, 0, 0, kScratchSize, kScratchSize);
        if (dot) {
            SelectObject(scratch, GetStockObject(NULL_PEN));
            SelectObject(scratch, dot);
            Ellipse(scratch, 12, 12, 40, 40);
        }
        SelectObject(scratch, brushBefore);
        SelectObject(scratch, penBefore);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(ring), static_cast<HGDIOBJ>(face), static_cast<HGDIOBJ>(dot)}) {
        if (object) DeleteObject(object);
    }
    return made;
}

// A DC over a new owned picture of that size; null when either could not be made.
s::gui::win::MemDC* newPictureDC(int32_t size) {
    s::image::win::BufferedImage* image = s::image::win::newBufferedImage(size, size);
    if (!image || image->getWidth() != size) {
        if (image) image->releaseToPool();
        return nullptr;
    }
    return s::gui::win::MemDC::createForWindow(nullptr, image, true);
}

bool Thin::makeMark(const MarkKey& key) {
    m_hasMark = false;
    if (!m_scratch) m_scratch = newPictureDC(kScratchSize);
    if (m_mark && m_markKey.size != key.size) {
        m_mark->releaseToPool();
        m_mark = nullptr;
    }
    if (!m_mark) m_mark = newPictureDC(key.size);
    if (!m_scratch || !m_mark || !paintScratch(m_scratch->m_hDC, key.checked, key.background)) return false;
    HDC mark = m_mark->m_hDC;
    SetStretchBltMode(mark, HALFTONE);
    SetBrushOrgEx(mark, 0, 0, nullptr);
    StretchBlt(mark, 0, 0, key.size, key.size, m_scratch->m_hDC, 0, 0, kScratchSize, kScratchSize, SRCCOPY);
    m_markKey = key;
    m_hasMark = true;
    return true;
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                const s::gui::IFont* font, bool, bool checked, COLORREF background) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t s = s::gui::win::uiScale(), size = kMarkSize * s, h = bottom - top;
    const MarkKey key = {m_ring, m_dot, background, checked, size};
    if ((m_hasMark && m_markKey == key) || makeMark(key)) {
        BitBlt(dc, left, top + h / 2 - size / 2, size, size, m_mark->m_hDC, 0, 0, SRCCOPY);
    }
    s::gui::drawer::checkbox::win::drawMarkCaption(m_text, dc, left + h + h / 6, top, right, bottom, caption, font);
}

}  // namespace s::gui::drawer::radiobutton::win
