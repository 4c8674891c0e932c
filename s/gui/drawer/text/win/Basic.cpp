// s/gui/drawer/text/win/Basic.cpp
#include "s/gui/drawer/text/win/Basic.h"

#include "s/gui/IFont.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/FontData.h"

namespace s::gui::drawer::text::win {

namespace {

using s::gui::drawer::win::TextState;

constexpr UINT kCentred = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER;
constexpr UINT kWrapped = DT_NOPREFIX | DT_WORDBREAK;
constexpr UINT kEllipsis = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;
constexpr UINT kSingle = DT_NOPREFIX | DT_SINGLELINE;

struct Pass {
    int32_t dx, dy;
    COLORREF colour;
};

// The passes of one effect, the text itself last; returns how many.
int passesOf(int32_t effect, const s::gui::win::FontData& f, Pass* out) {
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), text = f.textColour;
    switch (effect) {
        case 1:
        case 7: {
            const COLORREF outline = effect == 1 ? f.secondColour : f.thirdColour;
            static const int32_t ring[8][2] = {{0, -1}, {1, -1}, {2, -1}, {2, 0},
                                               {2, 1},  {1, 1},  {0, 1},  {0, 0}};
            for (int i = 0; i < 8; ++i) out[i] = {ring[i][0], ring[i][1], outline};
            out[8] = {1, 0, text};
            return 9;
        }
        case 2:
            out[0] = {1, 1, f.disabledText ? RGB(238, 238, 238) : RGB(119, 119, 119)};
            out[1] = {0, 0, text};
            return 2;
        case 3:
            out[0] = {2, 2, black};
            out[1] = {0, 0, white};
            out[2] = {1, 1, text};
            return 3;
        case 4:
            out[0] = {0, 0, white};
            out[1] = {0, 2, black};
            out[2] = {0, 1, text};
            return 3;
        case 5:
            out[0] = {2, 2, white};
            out[1] = {0, 0, black};
            out[2] = {1, 1, text};
            return 3;
        case 6:
            out[0] = {0, 0, black};
            out[1] = {0, 2, white};
            out[2] = {0, 1, text};
            return 3;
        default:
            out[0] = {0, 0, text};
            return 1;
    }
}

}  // namespace

Basic::Basic() { resetForReuse(); }

void Basic::resetForReuse() {
    for (auto& setting : m_settings) setting.resetForReuse();
    m_settings[1].setTextColour(161, 161, 146);
    m_settings[1].setDisabledText(true);
    m_settings[2].setTextColour(0, 170, 0);
    m_settings[2].setUnderline(true);
    for (int i = 3; i < 5; ++i) {
        m_settings[i].setTextColour(170, 170, 0);
        m_settings[i].setUnderline(true);
    }
    m_centred = false;
}

UINT Basic::formatFor(const s::gui::IFont* font) const {
    if (m_centred) return kCentred;
    if (font && font->isWordWrap()) return kWrapped;
    if (font && font->isEllipsis()) return kEllipsis;
    return kSingle;
}

void Basic::drawText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font) {
    if (!text || !font || s::gui::drawer::win::isEmptyRect(rect.left, rect.top, rect.right, rect.bottom)) return;
    const s::gui::win::FontData& data = font->fontData();
    TextState state(dc, font->getHandle(), data.textColour);
    const UINT format = formatFor(font);
    Pass passes[9];
    const int count = passesOf(data.textEffect, data, passes);
    for (int i = 0; i < count; ++i) {
        RECT box = {rect.left + passes[i].dx, rect.top + passes[i].dy, rect.right + passes[i].dx,
                    rect.bottom + passes[i].dy};
        SetTextColor(dc, passes[i].colour);
        DrawTextW(dc, text, -1, &box, format);
    }
}

void Basic::measureText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font,
                        int32_t* width, int32_t* height) {
    *width = *height = 0;
    if (!text || !font) return;
    const bool wrap = font->isWordWrap();
    const UINT format = wrap ? DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK
                             : font->isEllipsis() ? DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS
                                                  : DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE;
    RECT box = rect;
    HGDIOBJ before = SelectObject(dc, font->getHandle());
    DrawTextW(dc, text, -1, &box, format);
    SelectObject(dc, before);
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    const int32_t effect = font->getTextEffect();
    if (effect) {
        *height += 1;
        if (effect == 1 || effect == 3 || effect == 5 || effect == 7) *width += 2;
        if (effect == 2) *width += 1;
    }
}

void Basic::setFontSettings(const s::gui::IFontDescription* normal, const s::gui::IFontDescription* disabled,
                            const s::gui::IFontDescription* third, const s::gui::IFontDescription* fourth,
                            const s::gui::IFontDescription* fifth) {
    const s::gui::IFontDescription* given[kSettingCount] = {normal, disabled, third, fourth, fifth};
    for (int i = 0; i < kSettingCount; ++i) {
        if (given[i]) m_settings[i].takeSizeAndOverrides(given[i]->fontData());
    }
}

void Basic::measure(HDC dc, const wchar_t* text, const s::gui::IFont* font, int32_t* width,
                    int32_t* height, int32_t* fullWidth, int32_t* fullHeight) {
    *width = *height = *fullWidth = *fullHeight = 0;
    if (!text || !font) return;
    RECT box = {0, 0, 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (font->isWordWrap() ? 0 : DT_SINGLELINE);
    HGDIOBJ before = SelectObject(dc, font->getHandle());
    DrawTextW(dc, text, -1, &box, format);
    SelectObject(dc, before);
    *width = *fullWidth = box.right;
    *height = *fullHeight = box.bottom;
}

}  // namespace s::gui::drawer::text::win
