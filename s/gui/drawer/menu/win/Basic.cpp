// s/gui/drawer/menu/win/Basic.cpp
#include "s/gui/drawer/menu/win/Basic.h"

#include <initializer_list>

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
