// s/gui/drawer/button/win/Thin.h
//
// The button drawer, which the other control drawers also paint their arrows, thumbs and
// cells with: a border of the look's kind in the state's frame colour, a toggled fill, and
// the caption as a glyph or as centred text.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/button/IThin.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::button::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;
    // A pooled drawer as skins use it: flags 0, 1 and 1 and the frame colour given.
    static Thin* newForSkin(int32_t red, int32_t green, int32_t blue);

    // IButton
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t look,
              const wchar_t* caption, bool framed, const s::gui::IFont* font, bool enabled,
              bool toggled, bool drawerFlag) override;
    bool drawGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const wchar_t* caption, int32_t red, int32_t green, int32_t blue) override;

    void setAccentColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getAccentColour() const { return m_accent; }
    void setFlagOne(bool on) { m_flagOne = on; }
    void setFlagTwo(bool on) { m_flagTwo = on; }
    void setPressShift(bool on) { m_pressShift = on; }
    bool getFlagOne() const { return m_flagOne; }
    bool getFlagTwo() const { return m_flagTwo; }
    bool getPressShift() const { return m_pressShift; }
    void setCornerStyle(int32_t style) { m_cornerStyle = style; }
    int32_t getCornerStyle() const { return m_cornerStyle; }
    COLORREF getFrameColour() const { return m_frame; }
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getDisabledFrameColour() const { return m_disabledFrame; }
    void setDisabledFrameColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getToggledFrameColour() const { return m_toggledFrame; }
    void setToggledFrameColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getToggledFillColour() const { return m_toggledFill; }
    void setToggledFillColour(int32_t red, int32_t green, int32_t blue);
    // The caption's size through the caption text drawer.
    void measureCaption(HDC dc, const wchar_t* caption, const s::gui::IFont* font, int32_t* width,
                        int32_t* height);
    s::gui::win::FontSetting* getCaptionFont() override { return m_captionText->getNormalFont(); }
    s::gui::win::FontSetting* getCaptionDisabledFont() override { return m_captionText->getDisabledFont(); }
    void measureSecondText(HDC dc, const wchar_t* text, const s::gui::IFont* font, int32_t* width,
                           int32_t* height);
    s::gui::win::FontSetting* getSecondTextFont() override { return m_secondText->getNormalFont(); }
    s::gui::drawer::border::win::Thin* getBorder() const { return m_border; }
    s::gui::drawer::text::win::Basic* getCaptionText() const { return m_captionText; }
    s::gui::drawer::text::win::Basic* getSecondText() const { return m_secondText; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_button_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    COLORREF m_accent = 0;
    bool m_flagOne = true;
    bool m_flagTwo = true;
    bool m_pressShift = false;
    int32_t m_cornerStyle = 1;
    COLORREF m_frame = 0;
    COLORREF m_disabledFrame = 0;
    COLORREF m_toggledFrame = 0;
    COLORREF m_toggledFill = 0;
    s::gui::drawer::border::win::Thin* m_border = nullptr;
    s::gui::drawer::text::win::Basic* m_captionText = nullptr;
    s::gui::drawer::text::win::Basic* m_secondText = nullptr;
};

}  // namespace s::gui::drawer::button::win
