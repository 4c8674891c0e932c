// s/gui/events/UnEditabler.cpp
#include "s/gui/events/UnEditabler.h"

#include "s/gui/IComponent.h"
#include "s/thread/Pool.h"

namespace s::gui::events {

void UnEditabler::apply(s::gui::IComponent* target) { target->setEditable(false); }

s::base::IObject* UnEditabler::newInstance() const { return s::thread::Pool<UnEditabler>::obtain(); }

void UnEditabler::releaseToPool() { s::thread::Pool<UnEditabler>::release(this); }

}  // namespace s::gui::events
