// s/gui/drawer/PooledDrawer.h
//
// What every drawer class shares: it comes from and goes back to its class's pool
// (capacity 1000), and a released drawer is reset to its defaults by resetForReuse.
#pragma once
#include "s/thread/Pool.h"

namespace s::gui::drawer {

template <class C, class Interface>
class PooledDrawer : public Interface {
public:
    static C* obtain() { return s::thread::Pool<C>::obtain(); }
    s::base::IObject* newInstance() const override { return obtain(); }
    void releaseToPool() override { s::thread::Pool<C>::release(static_cast<C*>(this)); }
};

// Gives a drawer back to its pool and nulls the reference (null is ignored).
template <class D>
void releaseDrawer(D*& drawer) {
    if (drawer) drawer->releaseToPool();
    drawer = nullptr;
}

}  // namespace s::gui::drawer
