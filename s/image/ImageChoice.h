// s/image/ImageChoice.h
//
// Which of several pictures best answers a request for a size and a depth: the rules of image
// sets and multi-picture codecs. `at`(i) gives picture i's ImageShape. All three answer true
// and the index, or false and index 0 when there is nothing (or, for the exact search, no
// match). Ties go to the earlier picture.
#pragma once
#include <cstdint>

namespace s::image {

struct ImageShape {
    int32_t width, height, depth;
};

namespace choice {
inline int64_t areaDistance(const ImageShape& s, int32_t width, int32_t height) {
    const int64_t d = static_cast<int64_t>(s.width) * s.height - static_cast<int64_t>(width) * height;
    return d < 0 ? -d : d;
}
inline int64_t depthDistance(const ImageShape& s, int32_t depth) {
    const int64_t d = static_cast<int64_t>(s.depth) - depth;
    return d < 0 ? -d : d;
}
}  // namespace choice

template <class At>
bool findExactShape(int32_t count, At at, int32_t width, int32_t height, int32_t depth, int32_t* index) {
    for (int32_t i = 0; i < count; ++i) {
        const ImageShape s = at(i);
        if (s.width == width && s.height == height && s.depth == depth) {
            *index = i;
            return true;
        }
    }
    *index = 0;
    return false;
}

// Nearest by (first key, second key); byDepthFirst picks which distance is the first key.
template <class At>
bool findNearestShape(int32_t count, At at, int32_t width, int32_t height, int32_t depth, bool byDepthFirst,
                      int32_t* index) {
    if (findExactShape(count, at, width, height, depth, index)) return true;
    int64_t best1 = 0, best2 = 0;
    for (int32_t i = 0; i < count; ++i) {
        const ImageShape s = at(i);
        const int64_t area = choice::areaDistance(s, width, height), bits = choice::depthDistance(s, depth);
        const int64_t k1 = byDepthFirst ? bits : area, k2 = byDepthFirst ? area : bits;
        if (i == 0 || k1 < best1 || (k1 == best1 && k2 < best2)) {
            best1 = k1;
            best2 = k2;
            *index = i;
        }
    }
    return count > 0;
}

}  // namespace s::image
