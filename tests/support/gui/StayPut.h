// tests/support/gui/StayPut.h
//
// A layout manager that leaves every child where the test put it: for windows whose tests
// check the geometry they gave a child (a window lays out by a column otherwise).
#pragma once
#include "s/gui/layout/ILayoutManager.h"

namespace tests::gui {

class StayPut final : public s::gui::layout::ILayoutManager {
public:
    void layout(s::gui::IContainer*) override {}
    const wchar_t* classId() const override { return L"tests_gui_StayPut"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    static StayPut* shared() {
        static StayPut instance;
        return &instance;
    }
};

}  // namespace tests::gui
