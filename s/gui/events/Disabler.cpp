// s/gui/events/Disabler.cpp
#include "s/gui/events/Disabler.h"

#include "s/gui/IComponent.h"
#include "s/thread/Pool.h"

namespace s::gui::events {

void Disabler::apply(s::gui::IComponent* target) { target->setEnabled(false); }

s::base::IObject* Disabler::newInstance() const { return s::thread::Pool<Disabler>::obtain(); }

void Disabler::releaseToPool() { s::thread::Pool<Disabler>::release(this); }

}  // namespace s::gui::events
