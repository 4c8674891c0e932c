// s/gui/drawer/window/win/Thin.h
//
// The frame of a top-level window: a 1-pixel frame with square, small or large rounded
// corners at top and bottom, over its background unless transparent, and the window shape
// that matches the corners.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/window/IThin.h"

namespace s::gui::drawer::window::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() { resetForReuse(); }

    // IWindow
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    HRGN createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) const override;

    int32_t getTopCornerStyle() const { return m_topStyle; }
    int32_t getBottomCornerStyle() const { return m_bottomStyle; }
    COLORREF getBackgroundColour() const { return m_background; }
    // Also makes the drawer paint its background.
    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    bool isTransparent() const { return m_transparent; }
    COLORREF getFrameColour() const { return m_frame; }
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    void setTopCornerStyle(int32_t style) { m_topStyle = style; }
    void setBottomCornerStyle(int32_t style) { m_bottomStyle = style; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_window_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    int32_t m_topStyle = 0;
    int32_t m_bottomStyle = 0;
    bool m_transparent = true;
    COLORREF m_background = 0;
    COLORREF m_frame = 0;
};

}  // namespace s::gui::drawer::window::win
