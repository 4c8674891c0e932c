// s/gui/drawer/counter/win/Basic.h
//
// The counter graph: up to two value histories, one column per sample from the right edge
// leftwards (newest at the right), each as high as its value, or a 5-pixel mark at that
// height in marker mode.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/counter/IBasic.h"

namespace s::gui::drawer::counter::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    Basic() { resetForReuse(); }

    // ICounter
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ValueHistory* first,
              ValueHistory* second) override;

    void setTransparent(bool on) { m_transparent = on; }
    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    void setFirstColour(int32_t red, int32_t green, int32_t blue);
    void setSecondColour(int32_t red, int32_t green, int32_t blue);
    // The first history drawn in the second colour.
    void setUseSecondColour(bool on) { m_useSecond = on; }
    COLORREF getFirstColour() const { return m_first; }
    COLORREF getSecondColour() const { return m_second; }
    COLORREF getBackgroundColour() const { return m_background; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_counter_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    void paintHistory(HDC dc, const RECT& box, ValueHistory* history, COLORREF colour) const;

    bool m_transparent = false;
    COLORREF m_background = 0;
    COLORREF m_first = 0;
    COLORREF m_second = 0;
    bool m_useSecond = false;
};

}  // namespace s::gui::drawer::counter::win
