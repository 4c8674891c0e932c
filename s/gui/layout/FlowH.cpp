// s/gui/layout/FlowH.cpp
#include "s/gui/layout/FlowH.h"

#include "s/gui/IContainer.h"
#include "s/gui/layout/Arrangement.h"
#include "s/thread/Pool.h"

namespace s::gui::layout {

FlowH* FlowH::shared() {
    static FlowH* const instance = s::thread::Pool<FlowH>::obtain();
    return instance;
}

void FlowH::layout(s::gui::IContainer* container) {
    if (container && container->getChildCount()) Arrangement::flow(container, 0, 0, 0, 0);
}

s::base::IObject* FlowH::newInstance() const { return s::thread::Pool<FlowH>::obtain(); }

void FlowH::releaseToPool() { s::thread::Pool<FlowH>::release(this); }

}  // namespace s::gui::layout
