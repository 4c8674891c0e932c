// s/image/IImageBuffer.h
//
// Row access to a 32-bit pixel buffer whose logical picture sits in the top-left corner of a
// possibly larger store (the capacity). Row 0 is the top; a row is getRowBytes() long and rows
// are getStride() apart in the store. Null rows and bits for an empty buffer.
#pragma once
#include <cstdint>

#include "s/image/IImage.h"

namespace s::image {

class IImageBuffer : public IImage {
public:
    virtual int32_t getRowBytes() const = 0;
    virtual int32_t getCapacityWidth() const = 0;
    virtual int32_t getCapacityHeight() const = 0;
    virtual int32_t getStride() const = 0;
    virtual uint32_t* getRow(int32_t i) const = 0;
    virtual uint8_t* getBits() const = 0;
};

}  // namespace s::image
