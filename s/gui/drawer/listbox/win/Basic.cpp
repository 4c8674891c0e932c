// s/gui/drawer/listbox/win/Basic.cpp
#include "s/gui/drawer/listbox/win/Basic.h"

#include "s/gui/IFont.h"
#include "s/gui/drawer/listbox/ListItem.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"
#include "s/image/win/BufferedImage.h"

namespace s::gui::drawer::listbox::win {

using s::gui::drawer::win::fill;
using s::gui::drawer::win::rgbOf;

Basic::Basic()
    : m_glyphs(s::gui::drawer::button::win::Thin::obtain()),
      m_itemText(s::gui::drawer::text::win::Basic::obtain()),
      m_selectedText(s::gui::drawer::text::win::Basic::obtain()) {
    resetForReuse();
}

Basic::~Basic() {
    releaseDrawer(m_glyphs);
    releaseDrawer(m_itemText);
    releaseDrawer(m_selectedText);
}

Basic* Basic::newDefault() {
    Basic* d = obtain();
    if (!d) return nullptr;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    d->setBackgroundColour(255, 255, 255);
    d->setTextColour(0, 0, 0);
    d->setSelectionColour(GetRValue(highlight), GetGValue(highlight), GetBValue(highlight));
    d->setSelectionTextColour(GetRValue(highlightText), GetGValue(highlightText), GetBValue(highlightText));
    d->setAlternateColour(238, 238, 238);
    return d;
}

void Basic::resetForReuse() {
    m_selection = RGB(120, 120, 120);
    m_background = RGB(51, 51, 51);
    m_alternate = RGB(224, 224, 224);
    m_text = RGB(0, 0, 0);
    m_selectionText = RGB(255, 255, 255);
    if (m_glyphs) m_glyphs->resetForReuse();
    if (m_itemText) m_itemText->resetForReuse();
    if (m_selectedText) m_selectedText->resetForReuse();
}

void Basic::setBackgroundColour(int32_t r, int32_t g, int32_t b) { m_background = rgbOf(r, g, b); }
void Basic::setAlternateColour(int32_t r, int32_t g, int32_t b) { m_alternate = rgbOf(r, g, b); }
void Basic::setSelectionColour(int32_t r, int32_t g, int32_t b) { m_selection = rgbOf(r, g, b); }
void Basic::setTextColour(int32_t r, int32_t g, int32_t b) {
    m_text = rgbOf(r, g, b);
    if (m_itemText) m_itemText->getNormalFont()->setTextColour(r, g, b);
}
void Basic::setSelectionTextColour(int32_t r, int32_t g, int32_t b) {
    m_selectionText = rgbOf(r, g, b);
    if (m_selectedText) m_selectedText->getNormalFont()->setTextColour(r, g, b);
}

void Basic::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    fill(dc, left, top, right - left, bottom - top, m_alternate);
}

// Expander, check box and image; returns where the text begins.
int32_t Basic::paintParts(HDC dc, int32_t left, int32_t top, int32_t bottom, const ListItem& item, int32_t s) {
    const int32_t h = bottom - top;
    int32_t x = left + 4 * s + item.level * 15 * s;
    const COLORREF ink = item.selected ? m_selectionText : m_text;
    if (item.expanderColumn) {
        const int32_t ey = top + (h - 15 * s) / 2;
        if (item.hasChildren) {
            m_glyphs->drawGlyph(dc, x, ey, x + 13 * s, ey + 15 * s, item.open ? L"#TreeOpen" : L"#TreeClosed",
                                GetRValue(ink), GetGValue(ink), GetBValue(ink));
        }
        x += 13 * s + 2 * s;
    }
    if (item.hasCheckBox) {
        const int32_t e = 13 * s, cy = top + (h - e) / 2;
        fill(dc, x, cy, e, e, ink);
        fill(dc, x + s, cy + s, e - 2 * s, e - 2 * s, RGB(255, 255, 255));
        if (item.checked) m_glyphs->drawGlyph(dc, x + 1, cy + 1, x + e - 1, cy + e - 1, L"#Check", 0, 0, 0);
        x += e + 3 * s;
    }
    if (item.image) {
        const int32_t side = h - 2 * s;
        item.image->drawTo(dc, x, top + s, side, side);
        x += side + 3 * s;
    }
    return x;
}

void Basic::paintColumns(HDC dc, int32_t x, int32_t top, int32_t right, int32_t bottom, const ListItem& item) {
    const s::gui::IFont* font = item.selected && item.selectedFont ? item.selectedFont : item.font;
    s::gui::drawer::text::win::Basic* text = item.selected ? m_selectedText : m_itemText;
    for (int32_t i = 0; i < item.columnCount && font; ++i) {
        const bool last = i == item.columnCount - 1 || !item.columnWidths;
        const RECT box = {x, top, last ? right : x + item.columnWidths[i], bottom};
        if (item.columns[i]) text->drawText(dc, box, item.columns[i], font);
        if (!last) x += item.columnWidths[i];
    }
}

void Basic::drawItem(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const ListItem& item) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t s = s::gui::win::uiScale(), w = right - left;
    fill(dc, left, top, w, bottom - top, item.alternate ? m_alternate : m_background);
    const int32_t textX = left + 4 * s + item.level * 15 * s + (item.expanderColumn ? 15 * s : 0) +
                          (item.hasCheckBox ? 16 * s : 0);
    if (item.selected) {
        if (item.fullRowSelection) {
            fill(dc, left, top, w, bottom - top, m_selection);
        } else {
            int32_t tw = 0, th = 0;
            const RECT none = {0, 0, 0, 0};
            if (item.font && item.columnCount && item.columns[0]) {
                m_itemText->measureText(dc, none, item.columns[0], item.font, &tw, &th);
            }
            fill(dc, textX, top, tw + 4, bottom - top, m_selection);
        }
    }
    if (item.dropPosition == 0 || item.dropPosition == 1) {
        const int32_t x = left + (item.expanderColumn ? 19 * s : 4 * s) + item.dropLevel * 15 * s;
        const int32_t t = item.thickDrop ? 2 * s : s;
        fill(dc, x, item.dropPosition == 0 ? top : bottom - t, right - x, t, m_selection);
    }
    const int32_t x = paintParts(dc, left, top, bottom, item, s);
    paintColumns(dc, x, top, right, bottom, item);
}

bool Basic::hitsExpander(int32_t level, int32_t x, int32_t y) const {
    const int32_t s = s::gui::win::uiScale();
    x -= level * 15 * s;
    return x >= 4 * s && x < 17 * s && y >= s && y < 16 * s;
}

bool Basic::hitsCheckBox(int32_t level, bool expanderColumn, int32_t x, int32_t y) const {
    const int32_t s = s::gui::win::uiScale();
    x -= level * 15 * s;
    const int32_t from = expanderColumn ? 20 * s : 4 * s;
    return x >= from && x < from + 15 * s && y >= s && y < 16 * s;
}

}  // namespace s::gui::drawer::listbox::win
