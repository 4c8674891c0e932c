// s/gui/drawer/statusbar/win/Thin.h
//
// The thin status bar: one colour for the bar's controls; it paints no background itself.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/statusbar/IThin.h"
#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::statusbar::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() { resetForReuse(); }

    // IStatusBar
    void draw(HDC, int32_t, int32_t, int32_t, int32_t) override {}
    int32_t getHeight() const override { return 13; }
    void setColour(int32_t red, int32_t green, int32_t blue) {
        m_colour = s::gui::drawer::win::rgbOf(red, green, blue);
    }
    COLORREF getColour() const { return m_colour; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_statusbar_win_Thin"; }
    // IPoolable
    void resetForReuse() override { m_colour = RGB(120, 120, 120); }

private:
    COLORREF m_colour = 0;
};

}  // namespace s::gui::drawer::statusbar::win
