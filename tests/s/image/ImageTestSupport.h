// tests/s/image/ImageTestSupport.h
//
// Helpers of the image tests: a pooled image that goes back to its pool at scope end, made
// from a list of pixel words (rows from the top), and a picture's pixels as a list again.
#pragma once
#include <cstdint>
#include <vector>

#include "s/image/win/BufferedImage.h"

namespace tests::image {

// Owns one pooled image (or none) and releases it at scope end.
class Held {
public:
    explicit Held(s::image::win::BufferedImage* image = nullptr) : m_image(image) {}
    ~Held() { reset(nullptr); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    void reset(s::image::win::BufferedImage* image) {
        if (m_image && m_image != image) m_image->releaseToPool();
        m_image = image;
    }
    s::image::win::BufferedImage* get() const { return m_image; }
    s::image::win::BufferedImage* operator->() const { return m_image; }

private:
    s::image::win::BufferedImage* m_image;
};

inline s::image::win::BufferedImage* imageOf(int32_t width, int32_t height,
                                             const std::vector<uint32_t>& pixels, bool alpha) {
    s::image::win::BufferedImage* image = s::image::win::newBufferedImage(width, height);
    for (int32_t i = 0; image && i < height; ++i) {
        for (int32_t j = 0; j < width; ++j) image->getRow(i)[j] = pixels[i * width + j];
    }
    if (image) image->setHasAlpha(alpha);
    return image;
}

inline std::vector<uint32_t> pixelsOf(const s::image::win::BufferedImage* image) {
    std::vector<uint32_t> out;
    for (int32_t i = 0; image && i < image->getHeight(); ++i) {
        out.insert(out.end(), image->getRow(i), image->getRow(i) + image->getWidth());
    }
    return out;
}

// width x height pixels, each different: pixel k is 0xFF000000 | k * 0x010203 + 0x102030.
inline std::vector<uint32_t> distinctPixels(int32_t width, int32_t height) {
    std::vector<uint32_t> v;
    for (int32_t k = 0; k < width * height; ++k) v.push_back(0xFF000000u | ((k * 0x010203u + 0x102030u) & 0xFFFFFF));
    return v;
}

}  // namespace tests::image
