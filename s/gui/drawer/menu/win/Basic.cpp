// s/gui/drawer/menu/win/Basic.cpp
#include "s/gui/drawer/menu/win/Basic.h"

#include <initializer_list>
#include <vector>

#include "s/gui/IFont.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/FontData.h"

namespace s::gui::drawer::menu::win {

Basic::Basic()
    : m_text(s::gui::drawer::text::win::Basic::obtain()), m_combo(s::gui::drawer::combo::win::Thin::obtain()) {
    resetForReuse();
}

Basic::~Basic() {
    releaseDrawer(m_text);
    releaseDrawer(m_combo);
}

void Basic::resetForReuse() {
    for (auto* font : {&m_normal, &m_highlight}) {
        font->resetForReuse();
        font->setSizeCode(-2);
    }
    const COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_highlight.setTextColour(GetRValue(text), GetGValue(text), GetBValue(text));
    m_hover = GetSysColor(COLOR_HIGHLIGHT);
    m_hoverFill = true;
    m_pressedShift = false;
    if (m_combo) m_combo->resetForReuse();
}

void Basic::setHoverColour(int32_t r, int32_t g, int32_t b) { m_hover = s::gui::drawer::win::rgbOf(r, g, b); }

void Basic::applyFonts(const s::gui::IFontDescription* normal, const s::gui::IFontDescription* highlight) {
    if (normal) m_normal.takeSizeAndOverrides(normal->fontData());
    if (highlight) m_highlight.takeSizeAndOverrides(highlight->fontData());
}

MenuMeasure placeEntries(const int32_t* widths, const int32_t* heights, const int32_t* fullWidths,
                         int32_t count, int32_t spacingX, int32_t spacingY, bool collapsed, RECT* rects) {
    MenuMeasure m;
    int32_t x = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t width = 2 * spacingX + widths[i];
        const int32_t height = 2 * spacingY + heights[i];
        rects[i] = RECT{x, 0, x + width, height};
        x += width;
        m.minWidth += width;
        m.targetWidth += 2 * spacingX + fullWidths[i];
        if (height > m.minHeight) m.minHeight = height;
    }
    m.targetHeight = m.minHeight;
    for (int32_t i = 0; i < count; ++i) rects[i].bottom = m.minHeight;
    if (collapsed) {
        m.minWidth += 15;
        m.targetWidth += 15;
        m.minHeight += 4;
        m.targetHeight += 4;
    }
    return m;
}

MenuMeasure Basic::measure(HDC dc, const wchar_t* const* captions, RECT* rects, int32_t count,
                           const s::gui::IFont* normal, int32_t spacingX, int32_t spacingY, bool collapsed) {
    std::vector<int32_t> widths(count), heights(count), fulls(count);
    for (int32_t i = 0; i < count; ++i) {
        int32_t fullHeight = 0;
        m_text->measure(dc, captions[i], normal, &widths[i], &heights[i], &fulls[i], &fullHeight);
    }
    return placeEntries(widths.data(), heights.data(), fulls.data(), count, spacingX, spacingY, collapsed, rects);
}

int32_t Basic::collapsedState(const MenuState& state) {
    if (state.hovered != 0) return 0;
    return state.pressed ? 2 : 1;
}

EntryLook Basic::lookOf(int32_t index, int32_t count, const RECT* rects, int32_t width,
                        const MenuState& state) const {
    EntryLook look;
    const bool last = index == count - 1;
    if (last && state.lastRightAligned) look.dx = width - rects[index].right;
    look.link = last && state.lastAsLink;
    if (index != state.hovered) return look;
    look.filled = m_hoverFill && !last;
    // The highlight font goes with the fill; the last entry, left unfilled where the others
    // are filled, keeps the normal font: the highlight text colour on no fill is lost.
    look.highlighted = look.filled || !m_hoverFill;
    if (m_pressedShift) look.captionDx = state.pressed ? 1 : -1;
    return look;
}

void Basic::drawEntries(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                        const wchar_t* const* captions, const RECT* rects, int32_t count, s::gui::IFont* normal,
                        s::gui::IFont* highlight, int32_t spacingX, int32_t spacingY, const MenuState& state) {
    if (count <= 0 || !normal) return;
    if (state.collapsed) {
        m_combo->draw(dc, left, top, right, bottom, captions[0], normal, collapsedState(state), true);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        const EntryLook look = lookOf(i, count, rects, right - left, state);
        const RECT& r = rects[i];
        const int32_t x = left + r.left + look.dx;
        if (look.filled)
            s::gui::drawer::win::fill(dc, x, top + r.top, r.right - r.left, r.bottom - r.top, m_hover);
        s::gui::IFont* font = look.highlighted && highlight ? highlight : normal;
        const RECT box = {x + spacingX + look.captionDx, top + r.top + spacingY,
                          x + r.right - r.left - spacingX + look.captionDx, top + r.bottom - spacingY};
        if (look.link) {
            drawLink(dc, box, captions[i], normal, look.highlighted);
        } else {
            m_text->drawText(dc, box, captions[i], font);
        }
    }
}

void Basic::drawLink(HDC dc, const RECT& box, const wchar_t* caption, s::gui::IFont* font, bool hovered) {
    const uint32_t colour = font->getTextColour();
    const bool underline = font->isUnderline();
    font->setTextColour(0, 0, 204);
    if (hovered) font->setUnderline(true);
    m_text->drawText(dc, box, caption, font);
    if (hovered) font->setUnderline(underline);
    font->setTextColour(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

Basic* newMenuDrawer(int32_t nr, int32_t ng, int32_t nb, int32_t hr, int32_t hg, int32_t hb, int32_t lr, int32_t lg,
                     int32_t lb) {
    Basic* drawer = Basic::obtain();
    if (!drawer) return nullptr;
    drawer->setNormalTextColour(nr, ng, nb);
    drawer->setHoverColour(hr, hg, hb);
    drawer->setHighlightTextColour(lr, lg, lb);
    drawer->setHoverFill(false);
    drawer->setPressedShift(true);
    return drawer;
}

}  // namespace s::gui::drawer::menu::win
