// s/image/ImageLimits.h
//
// The largest picture any decoder accepts, checked before anything is allocated: a file can
// state any size, and far above every real photo (and the 32-bit address space) it is a lie.
#pragma once
#include <cstdint>

namespace s::image {

constexpr int64_t kMostDecodedPixels = 100'000'000;

inline bool isDecodableSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width * height <= kMostDecodedPixels;
}

}  // namespace s::image
