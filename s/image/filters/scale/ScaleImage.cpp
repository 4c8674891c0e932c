// s/image/filters/scale/ScaleImage.cpp
//
// The temporary holds the source's rows at the target's width, rows from the top; a direction
// whose length does not change is copied, never resampled.
#include "s/image/filters/scale/ScaleImage.h"

#include <cstring>
#include <new>

#include "s/col/_array/ArrayU08.h"
#include "s/image/ImageLimits.h"
#include "s/image/filters/scale/BilinearFilter.h"
#include "s/image/filters/scale/Contribution.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"

namespace s::image::filters::scale {

using s::image::win::BufferedImage;

namespace {

struct Temporary {
    s::thread::ObjLocker lock;
    s::col::_array::ArrayU08* bytes = nullptr;
};

Temporary* sharedTemporary() {
    static Temporary* const temporary = new (std::nothrow) Temporary();
    return temporary;
}

// Source rows resampled (or copied) to width wide rows of the temporary.
bool horizontalPass(const BufferedImage* source, int32_t sourceWidth, int32_t height, uint32_t* temporary,
                    int32_t width) {
    if (sourceWidth == width) {
        for (int32_t i = 0; i < height; ++i) {
            std::memcpy(temporary + static_cast<intptr_t>(i) * width, source->getRow(i), width * 4u);
        }
        return true;
    }
    s::thread::ObjLocker* lock = Contribution::sharedLock();
    Contribution* table = Contribution::shared();
    if (!lock || !table) return false;
    s::thread::Lock hold(*lock);
    if (!table->build(width, sourceWidth, getSharedBilinearFilter())) return false;
    for (int32_t i = 0; i < height; ++i) {
        const uint32_t* from = source->getRow(i);
        uint32_t* to = temporary + static_cast<intptr_t>(i) * width;
        for (int32_t j = 0; j < width; ++j) to[j] = Contribution::applyRecord(table->record(j), from, 1);
    }
    return true;
}

// Columns of the temporary resampled (or copied) to the target's height.
bool verticalPass(const uint32_t* temporary, int32_t sourceHeight, BufferedImage* target) {
    const int32_t width = target->getWidth();
    const int32_t height = target->getHeight();
    if (sourceHeight == height) {
        for (int32_t i = 0; i < height; ++i) {
            std::memcpy(target->getRow(i), temporary + static_cast<intptr_t>(i) * width, width * 4u);
        }
        return true;
    }
    s::thread::ObjLocker* lock = Contribution::sharedLock();
    Contribution* table = Contribution::shared();
    if (!lock || !table) return false;
    s::thread::Lock hold(*lock);
    if (!table->build(height, sourceHeight, getSharedBilinearFilter())) return false;
    for (int32_t i = 0; i < height; ++i) {
        const int32_t* record = table->record(i);
        uint32_t* to = target->getRow(i);
        for (int32_t j = 0; j < width; ++j) to[j] = Contribution::applyRecord(record, temporary + j, width);
    }
    return true;
}

bool sizeTarget(BufferedImage* target, int32_t width, int32_t height) {
    target->setSize(0, 0);
    target->ensureSize(width, height);
    target->setSize(width, height);
    return target->getWidth() == width && target->getHeight() == height;
}

bool resample(int32_t sourceWidth, int32_t sourceHeight, const BufferedImage* source, BufferedImage* target) {
    Temporary* temporary = sharedTemporary();
    if (!temporary) return false;
    s::thread::Lock hold(temporary->lock);
    if (!temporary->bytes) temporary->bytes = s::thread::Pool<s::col::_array::ArrayU08>::obtain();
    const int64_t bytes = static_cast<int64_t>(sourceHeight) * target->getWidth() * 4;
    if (!temporary->bytes || bytes > 4 * s::image::kMostDecodedPixels ||
        !temporary->bytes->setCount(static_cast<uint32_t>(bytes))) {
        return false;
    }
    uint32_t* rows = static_cast<uint32_t*>(temporary->bytes->elements());
    return horizontalPass(source, sourceWidth, sourceHeight, rows, target->getWidth()) &&
           verticalPass(rows, sourceHeight, target);
}

}  // namespace

bool scaleImage(int32_t sourceWidth, int32_t sourceHeight, const BufferedImage* source, int32_t targetWidth,
                int32_t targetHeight, BufferedImage* target) {
    if (!target || source == target) return false;  // in place would resample what it overwrites
    const bool usable = source && sourceWidth > 0 && sourceHeight > 0 &&
                        sourceWidth <= source->getWidth() && sourceHeight <= source->getHeight() &&
                        s::image::isDecodableSize(targetWidth, targetHeight);
    if (!usable || !sizeTarget(target, targetWidth, targetHeight) ||
        !resample(sourceWidth, sourceHeight, source, target)) {
        target->setSize(0, 0);
        return false;
    }
    target->setHasAlpha(source->hasAlpha());
    return true;
}

}  // namespace s::image::filters::scale
