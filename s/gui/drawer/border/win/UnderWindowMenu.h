// s/gui/drawer/border/win/UnderWindowMenu.h
//
// The line under a window's menu bar: a dark row over a white one, at the DC's origin.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/IUnderWindowMenu.h"

namespace s::gui::drawer::border::win {

class UnderWindowMenu : public PooledDrawer<UnderWindowMenu, IUnderWindowMenu> {
public:
    // IDrawer
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_border_win_UnderWindowMenu"; }
    // IPoolable
    void resetForReuse() override {}
};

}  // namespace s::gui::drawer::border::win
