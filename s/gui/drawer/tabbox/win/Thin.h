// s/gui/drawer/tabbox/win/Thin.h
//
// The tab box's drawer: a frame colour and three font descriptions the tab box takes its
// looks from; the tabs paint themselves, so draw paints nothing.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/tabbox/IThin.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::drawer::tabbox::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() { resetForReuse(); }

    // ITabBox
    void draw(HDC, int32_t, int32_t, int32_t, int32_t) override {}
    void setFrameColour(int32_t red, int32_t green, int32_t blue) {
        m_frame = s::gui::drawer::win::rgbOf(red, green, blue);
    }
    COLORREF getFrameColour() const { return m_frame; }
    s::gui::win::FontSetting* getFont(int32_t index) { return &m_fonts[index < 0 || index > 2 ? 0 : index]; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_tabbox_win_Thin"; }
    // IPoolable
    void resetForReuse() override {
        m_frame = RGB(120, 120, 120);
        for (auto& font : m_fonts) font.resetForReuse();
    }

private:
    COLORREF m_frame = 0;
    s::gui::win::FontSetting m_fonts[3];
};

}  // namespace s::gui::drawer::tabbox::win
