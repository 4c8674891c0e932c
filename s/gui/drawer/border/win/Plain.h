// s/gui/drawer/border/win/Plain.h
//
// A 1-pixel frame in one colour (black after reset), drawn at the DC's origin.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/IPlain.h"

namespace s::gui::drawer::border::win {

class Plain : public PooledDrawer<Plain, IPlain> {
public:
    Plain() { resetForReuse(); }

    // IDrawer
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void setColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getColour() const { return m_colour; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_border_win_Plain"; }
    // IPoolable
    void resetForReuse() override { m_colour = 0; }

private:
    COLORREF m_colour = 0;
};

}  // namespace s::gui::drawer::border::win
