// s/gui/drawer/statusbar/win/Basic.h
//
// The status bar's background: on systems before Vista, with the gradient flag, the XP
// bar's fixed shading (Vista and later draw their own look and get none); with the grip
// flag, the size grip after it.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/statusbar/IBasic.h"
#include "s/gui/drawer/statusbar/win/BasicResizer.h"

namespace s::gui::drawer::statusbar::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    Basic();
    ~Basic() override;

    // IStatusBar
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    int32_t getHeight() const override;  // 23 x scale
    void setGradient(bool on) { m_gradient = on; }
    void setGrip(bool on) { m_grip = on; }
    BasicResizer* getResizer() const { return m_resizer; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_statusbar_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    bool m_gradient = false;
    bool m_grip = false;
    BasicResizer* m_resizer = nullptr;
};

}  // namespace s::gui::drawer::statusbar::win
