// s/gui/drawer/groupbox/win/Thin.h
//
// The frame of a group box with its title; 2-pixel lines at scale 1 and 4-pixel lines above, the title at 9 x scale.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/groupbox/IThin.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::drawer::groupbox::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() { resetForReuse(); }

    // IGroupBox
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* title,
              const s::gui::IFont* titleFont, int32_t titleWidth, int32_t titleHeight) override;
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    int32_t getFrameRed() const { return GetRValue(m_frame); }
    int32_t getFrameGreen() const { return GetGValue(m_frame); }
    int32_t getFrameBlue() const { return GetBValue(m_frame); }
    s::gui::win::FontSetting* getTitleFont() { return &m_titleFonts[0]; }
    s::gui::win::FontSetting* getSecondTitleFont() { return &m_titleFonts[1]; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_groupbox_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    COLORREF m_frame = 0;
    s::gui::win::FontSetting m_titleFonts[2];
};

}  // namespace s::gui::drawer::groupbox::win
