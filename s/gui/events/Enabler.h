// s/gui/events/Enabler.h
//
// An event action that enables every target, in list order, when its source fires.
#pragma once
#include "s/gui/events/StateAction.h"

namespace s::gui::events {

class Enabler final : public StateAction {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_gui_events_Enabler"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;

protected:
    void apply(s::gui::IComponent* target) override;
};

}  // namespace s::gui::events
