// s/gui/events/StateAction.cpp
#include "s/gui/events/StateAction.h"

#include "s/gui/IComponent.h"

namespace s::gui::events {

namespace {
constexpr uint32_t kInitialTargets = 2;
}  // namespace

StateAction::StateAction() { m_targets.setCapacity(kInitialTargets); }

void StateAction::onEvent(void* source, int32_t) {
    if (!m_source || source != static_cast<void*>(m_source)) return;
    for (uint32_t i = 0; i < m_targets.count(); ++i)
        apply(m_targets.item<s::gui::IComponent>(i));
}

void StateAction::resetForReuse() {
    m_source = nullptr;
    m_targets.clear();
}

}  // namespace s::gui::events
