// s/gui/drawer/text/win/Basic.h
//
// The text drawer every caption goes through. Its five font descriptions (normal, disabled,
// third, fourth, fifth) are what controls inherit their fonts from; drawing uses the font
// it is given. Text effects: 0 plain, 1 and 7 an outline in the font's second or third
// colour, 2 a grey shadow, 3 to 6 engraved and embossed looks.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/text/IBasic.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::drawer::text::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    static constexpr int32_t kSettingCount = 5;

    Basic();

    // IText
    void drawText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font) override;
    void measureText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font,
                     int32_t* width, int32_t* height) override;

    // Each given description (null: that setting is left) takes the size of the source and
    // then the properties the source set explicitly.
    void setFontSettings(const s::gui::IFontDescription* normal, const s::gui::IFontDescription* disabled = nullptr,
                         const s::gui::IFontDescription* third = nullptr,
                         const s::gui::IFontDescription* fourth = nullptr,
                         const s::gui::IFontDescription* fifth = nullptr);
    // The extents of the text with the calculate flag (0xC00, lines kept, for a word-wrapping
    // font; one line otherwise); the full extents are the same measure.
    void measure(HDC dc, const wchar_t* text, const s::gui::IFont* font, int32_t* width,
                 int32_t* height, int32_t* fullWidth, int32_t* fullHeight);
    s::gui::win::FontSetting* getNormalFont() { return &m_settings[0]; }
    s::gui::win::FontSetting* getDisabledFont() { return &m_settings[1]; }
    s::gui::win::FontSetting* getThirdFont() { return &m_settings[2]; }
    s::gui::win::FontSetting* getFourthFont() { return &m_settings[3]; }
    s::gui::win::FontSetting* getFifthFont() { return &m_settings[4]; }
    void setCentred(bool centred) { m_centred = centred; }
    bool isCentred() const { return m_centred; }

    // DrawText flags for a font's layout (shared with the measuring).
    UINT formatFor(const s::gui::IFont* font) const;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_text_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    s::gui::win::FontSetting m_settings[kSettingCount];
    bool m_centred = false;
};

}  // namespace s::gui::drawer::text::win
