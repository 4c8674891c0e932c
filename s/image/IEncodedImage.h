// s/image/IEncodedImage.h
//
// What the five codecs (BMP, GIF, JPEG, PNG, ICO) share: decoding into and encoding from
// their own stores, the picture as 32-bit images or a set, files by path, and new codec
// objects made from images with the format's default settings. One thread at a time. A
// failure answers false or null; nothing is reported otherwise.
#pragma once
#include <cstdint>

#include "s/image/IImage.h"

namespace s::file {
class IPath;
}  // namespace s::file
namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win

namespace s::image {

class IEncodedImage : public IImage {
public:
    // ".bmp", ".gif", ".jpg", ".png" or ".ico"
    virtual const wchar_t* getExtension() const = 0;
    // Picture index (a GIF frame; the others ignore it) into target (sized to fit) or a new
    // pooled image.
    virtual s::image::win::BufferedImage* toBufferedImage(int32_t index,
                                                          s::image::win::BufferedImage* target) const = 0;
    virtual s::image::win::BufferedImageSet* toImageSet() const = 0;
    virtual bool encode(s::io::IOutputStream* out) const = 0;
    virtual bool decode(s::io::IInputStream* in) = 0;
    virtual bool isMultiImage() const = 0;
    virtual int32_t getImageCount() const = 0;
    // An existing path is never written over: false and nothing written.
    virtual bool saveToFile(const wchar_t* path) const = 0;
    virtual bool saveToPath(s::file::IPath* path) const = 0;
    // Only an existing file (not a folder) is read.
    virtual bool loadFromFile(const wchar_t* path) = 0;
    virtual bool loadFromPath(s::file::IPath* path) = 0;
    // New codec objects of this format that the caller owns; null when none can be made.
    virtual IEncodedImage* newFromImageSet(const s::image::win::BufferedImageSet* set) const = 0;
    // An image with filters is encoded from its filtered image.
    virtual IEncodedImage* newFromImage(s::image::win::BufferedImage* image) const = 0;
    // As on the set; single-picture codecs answer true and index 0.
    virtual bool findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    virtual bool findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    virtual bool findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const = 0;
    // An empty picture; the depth counts for BMP, GIF and ICO only.
    virtual bool create(int32_t width, int32_t height, int32_t depth) = 0;
};

}  // namespace s::image
