// s/gui/layout/Pile.cpp
#include "s/gui/layout/Pile.h"

#include "s/gui/IContainer.h"
#include "s/gui/layout/Arrangement.h"
#include "s/thread/Pool.h"

namespace s::gui::layout {

Pile* Pile::shared() {
    static Pile* const instance = s::thread::Pool<Pile>::obtain();
    return instance;
}

void Pile::layout(s::gui::IContainer* container) {
    if (container && container->getChildCount()) Arrangement::pile(container, 0, 0);
}

s::base::IObject* Pile::newInstance() const { return s::thread::Pool<Pile>::obtain(); }

void Pile::releaseToPool() { s::thread::Pool<Pile>::release(this); }

}  // namespace s::gui::layout
