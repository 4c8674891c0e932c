// s/gui/drawer/scrollbar/win/Thin.h
//
// The thin scroll bar: a flat track, arrow buttons at both ends and a thumb with grip
// lines, all painted by its own button drawer.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/scrollbar/IThin.h"
#include "s/gui/drawer/scrollbar/ScrollBarState.h"

namespace s::gui::drawer::scrollbar::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;

    // IScrollBar
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
              const ScrollBarState& state) override;
    int32_t hitTest(int32_t left, int32_t top, int32_t right, int32_t bottom, const ScrollBarState& state,
                    int32_t x, int32_t y) override;
    int32_t positionFromDrag(int32_t left, int32_t top, int32_t right, int32_t bottom,
                             const ScrollBarState& state, int32_t offset) override;

    void setMode(int32_t mode) { m_mode = mode; }
    int32_t getMode() const { return m_mode; }
    void setThickness(int32_t thickness) { m_thickness = thickness; }
    int32_t getThickness() const { return m_thickness; }
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getFrameColour() const { return m_frame; }
    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getBackgroundColour() const { return m_background; }
    // The parts of the last bar drawn or tested.
    const ScrollBarGeometry& lastGeometry() const { return m_geometry; }
    s::gui::drawer::button::win::Thin* getButton() const { return m_button; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_scrollbar_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    void paintThumb(HDC dc, const ScrollBarState& state, const RECT& thumb);

    int32_t m_mode = 1;
    COLORREF m_frame = 0;
    COLORREF m_background = 0;
    int32_t m_thickness = 15;
    s::gui::drawer::button::win::Thin* m_button = nullptr;
    s::gui::drawer::border::win::Thin* m_border = nullptr;
    ScrollBarGeometry m_geometry;
};

}  // namespace s::gui::drawer::scrollbar::win
