// s/gui/drawer/skin/Thin.h
//
// A skin of the "Thin" family (see SkinSchemes.h for how its drawers are set up).
#pragma once
#include "s/gui/drawer/skin/SkinBase.h"

namespace s::gui::drawer::skin {

class Thin : public SkinBase<Thin> {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_skin_Thin"; }
};

}  // namespace s::gui::drawer::skin
