// s/image/filters/scale/BilinearFilter.cpp
//
// The shared filter is taken from the pool once and never given back.
#include "s/image/filters/scale/BilinearFilter.h"

#include "s/thread/Pool.h"

namespace s::image::filters::scale {

double BilinearFilter::filter(double x) const {
    const double distance = x < 0 ? -x : x;
    return distance < m_support ? m_support - distance : 0.0;
}

s::base::IObject* BilinearFilter::newInstance() const { return s::thread::Pool<BilinearFilter>::obtain(); }

void BilinearFilter::releaseToPool() { s::thread::Pool<BilinearFilter>::release(this); }

BilinearFilter* getSharedBilinearFilter() {
    static BilinearFilter* const shared = s::thread::Pool<BilinearFilter>::obtain();
    return shared;
}

}  // namespace s::image::filters::scale
