// s/image/filters/scale/IScaleFilter.h
//
// A resampling filter: its weight at a distance x from the sample centre, and its support
// (the distance beyond which the weight is 0).
#pragma once
#include "s/base/IObject.h"

namespace s::image::filters::scale {

class IScaleFilter : public s::base::IObject {
public:
    virtual double filter(double x) const = 0;
    virtual double getSupport() const = 0;
    virtual void setSupport(double value) = 0;
};

}  // namespace s::image::filters::scale
