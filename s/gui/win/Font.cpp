// s/gui/win/Font.cpp
#include "s/gui/win/Font.h"

#include "mfc/CDC.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

bool pointFontSize(int32_t points, const wchar_t* face, int32_t* height, int32_t* width) {
    CFont probe;
    LOGFONTW made = {};
    if (!probe.CreatePointFont(points * 10, face) || !probe.GetLogFont(&made)) return false;
    *height = made.lfHeight;
    *width = made.lfWidth;
    return true;
}

Font::Font() { resetForReuse(); }

bool Font::remake() {
    HFONT made = ::CreateFontIndirectW(&m_data.font);
    if (!made) return false;
    HGDIOBJ old = Detach();
    m_hObject = made;
    m_created = true;
    // Handed over before the old one goes: a control or DC still holding it would draw
    // with a dead handle, and a font selected into a DC is not deleted at all.
    if (m_window && IsWindow(m_window)) {
        SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    }
    if (m_dc && old && GetCurrentObject(m_dc, OBJ_FONT) == old) SelectObject(m_dc, made);
    if (old) ::DeleteObject(old);
    return true;
}

void Font::colourChanged() {
    if (m_dc) SetTextColor(m_dc, m_data.textColour);
}

bool Font::takeDescription(const FontData& data) {
    const bool quality = m_data.overrides[FontData::kQuality];
    m_data = data;
    m_data.overrides[FontData::kQuality] = quality;
    return remake();
}

int32_t Font::measureTextHeight() const {
    if (!m_hObject) return 0;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr)) return 0;
    HGDIOBJ before = dc.SelectObject(m_hObject);
    RECT box = {0, 0, 0, 0};
    dc.DrawText(L"TEST", -1, &box, DT_CALCRECT | DT_NOPREFIX);
    dc.SelectObject(before);
    return box.bottom - box.top;
}

s::base::IObject* Font::newInstance() const { return s::thread::Pool<Font, 0>::obtain(); }
void Font::releaseToPool() { s::thread::Pool<Font, 0>::release(this); }

void Font::resetForReuse() {
    m_dc = nullptr;
    m_window = nullptr;
    m_data.reset(uiScale(), systemFaceName());
    m_created = remake();
}

}  // namespace s::gui::win
