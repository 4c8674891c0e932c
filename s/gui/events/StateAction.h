// s/gui/events/StateAction.h
//
// The shared part of the four event actions: one source component and a list of targets
// (not owned) whose state the action sets when the source fires, whatever the code. Events
// of any other source are ignored.
#pragma once
#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IComponent;
}  // namespace s::gui

namespace s::gui::events {

class StateAction : public s::base::IObject,
                    public IEventListener,
                    public virtual s::thread::IPoolable {
public:
    StateAction();
    void setSource(s::gui::IComponent* source) { m_source = source; }
    s::gui::IComponent* getSource() const { return m_source; }
    void addTarget(s::gui::IComponent* target) { m_targets.add(target); }
    uint32_t getTargetCount() const { return m_targets.count(); }

    void onEvent(void* source, int32_t code) override;
    void resetForReuse() override;

protected:
    virtual void apply(s::gui::IComponent* target) = 0;

private:
    s::gui::IComponent* m_source = nullptr;
    s::col::_array::ArrayP m_targets;
};

}  // namespace s::gui::events
