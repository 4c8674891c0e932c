// s/image/EncodedImage.cpp
#include "s/image/EncodedImage.h"

#include "s/image/ImageFiles.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/thread/Pool.h"

namespace s::image {

s::image::win::BufferedImageSet* EncodedImage::toImageSet() const {
    s::image::win::BufferedImage* image = toBufferedImage(0, nullptr);
    s::image::win::BufferedImageSet* set = image ? s::thread::Pool<s::image::win::BufferedImageSet>::obtain() : nullptr;
    if (!set) {
        if (image) image->releaseToPool();
        return nullptr;
    }
    if (!set->add(image, getBitDepth(), 0, 0)) {
        set->releaseToPool();
        return nullptr;
    }
    return set;
}

bool EncodedImage::saveToFile(const wchar_t* path) const {
    return withPathText(path, [this](s::file::IPath* p) { return saveToPath(p); });
}

bool EncodedImage::saveToPath(s::file::IPath* path) const {
    return writeToPath(path, true, [this](s::io::IOutputStream* out) { return encode(out); });
}

bool EncodedImage::loadFromFile(const wchar_t* path) {
    return withPathText(path, [this](s::file::IPath* p) { return loadFromPath(p); });
}

bool EncodedImage::loadFromPath(s::file::IPath* path) {
    return readFromPath(path, [this](s::io::IInputStream* in) { return decode(in); });
}

IEncodedImage* EncodedImage::newFromImageSet(const s::image::win::BufferedImageSet* set) const {
    return set ? newFromImage(set->getBestImage()) : nullptr;
}

bool EncodedImage::findExact(int32_t, int32_t, int32_t, int32_t* index) const {
    *index = 0;
    return true;
}

bool EncodedImage::findNearestDepth(int32_t, int32_t, int32_t, int32_t* index) const {
    *index = 0;
    return true;
}

bool EncodedImage::findNearestSize(int32_t, int32_t, int32_t, int32_t* index) const {
    *index = 0;
    return true;
}

}  // namespace s::image
