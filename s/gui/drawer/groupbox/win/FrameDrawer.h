// s/gui/drawer/groupbox/win/FrameDrawer.h
//
// What both group-box drawers are: a frame colour, two title font descriptions and the
// group frame figure, with the title place and line thickness their class gives (C::frameOf).
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/groupbox/win/GroupFrame.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/FontSetting.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::groupbox::win {

template <class C, class Interface>
class FrameDrawer : public PooledDrawer<C, Interface> {
public:
    // IGroupBox
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* title,
              const s::gui::IFont* titleFont, int32_t titleWidth, int32_t titleHeight) override {
        if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
        int32_t titleX = 0, thickness = 0;
        C::frameOf(s::gui::win::uiScale(), &titleX, &thickness);
        const RECT box = {left, top, right, bottom};
        paintGroupFrame(dc, box, title, titleFont, titleWidth, titleHeight, titleX, thickness, m_frame);
    }
    void setFrameColour(int32_t red, int32_t green, int32_t blue) override {
        m_frame = s::gui::drawer::win::rgbOf(red, green, blue);
    }
    int32_t getFrameRed() const { return GetRValue(m_frame); }
    int32_t getFrameGreen() const { return GetGValue(m_frame); }
    int32_t getFrameBlue() const { return GetBValue(m_frame); }
    s::gui::win::FontSetting* getTitleFont() { return &m_titleFonts[0]; }
    s::gui::win::FontSetting* getSecondTitleFont() { return &m_titleFonts[1]; }

    // IPoolable
    void resetForReuse() override {
        m_frame = RGB(120, 120, 120);
        for (auto& font : m_titleFonts) font.resetForReuse();
    }

private:
    COLORREF m_frame = RGB(120, 120, 120);
    s::gui::win::FontSetting m_titleFonts[2];
};

}  // namespace s::gui::drawer::groupbox::win
