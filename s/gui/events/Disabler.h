// s/gui/events/Disabler.h
//
// An event action that disables every target, in list order, when its source fires.
#pragma once
#include "s/gui/events/StateAction.h"

namespace s::gui::events {

class Disabler final : public StateAction {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_gui_events_Disabler"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;

protected:
    void apply(s::gui::IComponent* target) override;
};

}  // namespace s::gui::events
