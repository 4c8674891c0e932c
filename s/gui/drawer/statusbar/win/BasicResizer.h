// s/gui/drawer/statusbar/win/BasicResizer.h
//
// The size grip at the bottom-right corner: six white dots with a shadow up and left.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/statusbar/IBasicResizer.h"

namespace s::gui::drawer::statusbar::win {

class BasicResizer : public PooledDrawer<BasicResizer, IBasicResizer> {
public:
    // IDrawer
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_statusbar_win_BasicResizer"; }
    // IPoolable
    void resetForReuse() override {}
};

}  // namespace s::gui::drawer::statusbar::win
