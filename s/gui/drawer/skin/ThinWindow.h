// s/gui/drawer/skin/ThinWindow.h
//
// A skin of the "ThinWindow" family (see SkinSchemes.h for how its drawers are set up).
#pragma once
#include "s/gui/drawer/skin/SkinBase.h"

namespace s::gui::drawer::skin {

class ThinWindow : public SkinBase<ThinWindow> {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_skin_ThinWindow"; }
};

}  // namespace s::gui::drawer::skin
