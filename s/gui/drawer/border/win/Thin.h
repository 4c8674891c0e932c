// s/gui/drawer/border/win/Thin.h
//
// The borders of buttons and controls: four edges in shades of one base colour (lighter
// top and left, darker right and bottom for a raised border), with square, small or large
// rounded corners; 1-pixel lines at scale 1, 2-pixel lines above.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/IThin.h"

namespace s::gui::drawer::border::win {

// A component times percent / 100, truncated, at most 255.
int32_t shadeOf(int32_t component, int32_t percent);
COLORREF shade(COLORREF base, int32_t percent, bool shaded);

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() { resetForReuse(); }

    // IBorder
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t kind,
              int32_t cornerStyle, int32_t red, int32_t green, int32_t blue) override;
    void setShaded(bool shaded) { m_shaded = shaded; }
    bool isShaded() const { return m_shaded; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_border_win_Thin"; }
    // IPoolable
    void resetForReuse() override { m_shaded = false; }

private:
    bool m_shaded = false;
};

}  // namespace s::gui::drawer::border::win
