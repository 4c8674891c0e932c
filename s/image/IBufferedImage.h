// s/image/IBufferedImage.h
//
// A 32-bit picture in memory (pixel word A << 24 | R << 16 | G << 8 | B), rows addressed from
// the top. Used by one thread at a time. No operation reports an error: a failed allocation
// leaves an empty 0 x 0 image whose operations do nothing.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/image/IImageBuffer.h"

namespace s::image {

class IBufferedImage : public IImageBuffer {
public:
    virtual bool isBuffered() const = 0;
    virtual HBITMAP getBitmapHandle() const = 0;
    virtual void setSize(int32_t width, int32_t height) = 0;
    virtual void reserve(int32_t width, int32_t height) = 0;
    virtual void create(int32_t width, int32_t height) = 0;
    virtual IBufferedImage* newImage(int32_t width, int32_t height) const = 0;
    virtual bool hasAlpha() const = 0;
    virtual void setHasAlpha(bool flag) = 0;
};

}  // namespace s::image
