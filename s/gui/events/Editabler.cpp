// s/gui/events/Editabler.cpp
#include "s/gui/events/Editabler.h"

#include "s/gui/IComponent.h"
#include "s/thread/Pool.h"

namespace s::gui::events {

void Editabler::apply(s::gui::IComponent* target) { target->setEditable(true); }

s::base::IObject* Editabler::newInstance() const { return s::thread::Pool<Editabler>::obtain(); }

void Editabler::releaseToPool() { s::thread::Pool<Editabler>::release(this); }

}  // namespace s::gui::events
