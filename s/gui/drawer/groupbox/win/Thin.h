// s/gui/drawer/groupbox/win/Thin.h
//
// The thin group frame: 2-pixel lines at scale 1 and 4-pixel lines above, the title at
// 9 x scale.
#pragma once
#include "s/gui/drawer/groupbox/IThin.h"
#include "s/gui/drawer/groupbox/win/FrameDrawer.h"

namespace s::gui::drawer::groupbox::win {

class Thin : public FrameDrawer<Thin, IThin> {
public:
    static void frameOf(int32_t scale, int32_t* titleX, int32_t* thickness) {
        *titleX = 9 * scale;
        *thickness = scale >= 2 ? 4 : 2;
    }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_groupbox_win_Thin"; }
};

}  // namespace s::gui::drawer::groupbox::win
