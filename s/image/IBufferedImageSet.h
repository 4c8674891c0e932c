// s/image/IBufferedImageSet.h
//
// An ordered list of pictures the set owns, each with the depth it had in its file, a display
// time in milliseconds and a GIF disposal (0 none, 1 keep, 2 restore background, 3 restore
// previous): the frames of an animation or the sizes of an icon. One thread at a time.
#pragma once
#include <cstdint>

#include "s/image/IImage.h"

namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win

namespace s::image {

class IBufferedImageSet : public IImage {
public:
    virtual int32_t getCount() const = 0;
    // Takes the image; false (and the image released) when it cannot be kept.
    virtual bool add(s::image::win::BufferedImage* image, int32_t depth, int32_t delay, int32_t disposal) = 0;
    virtual void recomputeSize() = 0;
    virtual bool isAnimated() const = 0;
    virtual uint16_t getLoopCount() const = 0;
    virtual void setAnimation(bool animated, uint16_t loopCount) = 0;
    // 1000 for an index at or beyond the count
    virtual int32_t getDelay(int32_t index) const = 0;
    virtual int32_t getDisposal(int32_t index) const = 0;
    virtual int32_t getDepth(int32_t index) const = 0;
    // new pooled sets; null when one cannot be made whole
    virtual s::image::win::BufferedImageSet* copy() const = 0;
    virtual s::image::win::BufferedImageSet* composedCopy() const = 0;
    virtual s::image::win::BufferedImageSet* scaledCopy(int32_t width, int32_t height, bool keepAspect) const = 0;
    virtual s::image::win::BufferedImageSet* filteredCopy() const = 0;
    virtual int32_t getBestIndex() const = 0;
    virtual s::image::win::BufferedImage* getBestImage() const = 0;
    // true and the index, or false and index 0
    virtual bool findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    virtual bool findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    virtual bool findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    // forgets the images without releasing them
    virtual void clear() = 0;
    virtual s::image::win::BufferedImage* getImage(int32_t index) const = 0;
    virtual IBufferedImageSet* addImage(s::image::win::BufferedImage* image) = 0;
};

}  // namespace s::image
