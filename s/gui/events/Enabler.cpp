// s/gui/events/Enabler.cpp
#include "s/gui/events/Enabler.h"

#include "s/gui/IComponent.h"
#include "s/thread/Pool.h"

namespace s::gui::events {

void Enabler::apply(s::gui::IComponent* target) { target->setEnabled(true); }

s::base::IObject* Enabler::newInstance() const { return s::thread::Pool<Enabler>::obtain(); }

void Enabler::releaseToPool() { s::thread::Pool<Enabler>::release(this); }

}  // namespace s::gui::events
