// s/gui/layout/Vertical.cpp
#include "s/gui/layout/Vertical.h"

#include "s/gui/IContainer.h"
#include "s/gui/layout/Arrangement.h"
#include "s/thread/Pool.h"

namespace s::gui::layout {

Vertical* Vertical::shared() {
    static Vertical* const instance = s::thread::Pool<Vertical>::obtain();
    return instance;
}

void Vertical::layout(s::gui::IContainer* container) {
    if (container && container->getChildCount()) Arrangement::line(container, true, 0, 0, 0);
}

s::base::IObject* Vertical::newInstance() const { return s::thread::Pool<Vertical>::obtain(); }

void Vertical::releaseToPool() { s::thread::Pool<Vertical>::release(this); }

}  // namespace s::gui::layout
