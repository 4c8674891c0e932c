// s/image/IImage.h
//
// Anything with a picture size: buffered images, codecs, image sets. 0 x 0 means empty.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image {

class IImage : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual int32_t getWidth() const = 0;
    virtual int32_t getHeight() const = 0;
};

}  // namespace s::image
