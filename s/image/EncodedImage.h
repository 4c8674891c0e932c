// s/image/EncodedImage.h
//
// The part of the codec interface that all codecs share: files by path and path text, and
// the answers of a codec that holds one picture (its set, its count, the searches), which the
// GIF codec replaces with its frames'.
#pragma once
#include <cstdint>

#include "s/image/IEncodedImage.h"

namespace s::image {

class EncodedImage : public IEncodedImage {
public:
    virtual int32_t getBitDepth() const = 0;

    s::image::win::BufferedImageSet* toImageSet() const override;
    bool isMultiImage() const override { return false; }
    int32_t getImageCount() const override { return 1; }
    bool saveToFile(const wchar_t* path) const override;
    bool saveToPath(s::file::IPath* path) const override;
    bool loadFromFile(const wchar_t* path) override;
    bool loadFromPath(s::file::IPath* path) override;
    IEncodedImage* newFromImageSet(const s::image::win::BufferedImageSet* set) const override;
    bool findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
};

}  // namespace s::image
