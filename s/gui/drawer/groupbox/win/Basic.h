// s/gui/drawer/groupbox/win/Basic.h
//
// The frame of a group box with its title: 1-pixel lines, the title at x = 9.
#pragma once
#include "s/gui/drawer/groupbox/IBasic.h"
#include "s/gui/drawer/groupbox/win/FrameDrawer.h"

namespace s::gui::drawer::groupbox::win {

class Basic : public FrameDrawer<Basic, IBasic> {
public:
    static void frameOf(int32_t, int32_t* titleX, int32_t* thickness) {
        *titleX = 9;
        *thickness = 1;
    }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_groupbox_win_Basic"; }
};

}  // namespace s::gui::drawer::groupbox::win
