// tests/s/image/gif/win/CodeStreams.h
//
// Hand-made GIF files for the decoder's fault table: LZW codes packed LSB first at the widths
// a decoder reads them (growing as its table fills, never past 12 bits, back to the start
// after a clear), joined into sub-blocks, inside a file with one image of a given place.
#pragma once
#include <cstdint>
#include <vector>

namespace tests::image::gif {

using Bytes = std::vector<uint8_t>;

inline Bytes codeStream(int32_t minSize, const std::vector<int32_t>& codes) {
    const int32_t clear = 1 << minSize;
    int32_t width = minSize + 1, nextFree = clear + 2;
    bool afterClear = true;
    Bytes out;
    uint32_t bits = 0;
    int32_t count = 0;
    for (int32_t code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        for (count += width; count >= 8; count -= 8, bits >>= 8) out.push_back(static_cast<uint8_t>(bits));
        if (code == clear) {
            width = minSize + 1;
            nextFree = clear + 2;
            afterClear = true;
            continue;
        }
        if (!afterClear && nextFree < 4096 && ++nextFree == 1 << width && width < 12) ++width;
        afterClear = false;
    }
    if (count > 0) out.push_back(static_cast<uint8_t>(bits));
    return out;
}

// Sub-blocks of up to 255 bytes and the 0 terminator.
inline Bytes subBlocks(const Bytes& data) {
    Bytes out;
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = data.size() - at < 255 ? data.size() - at : 255;
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + at, data.begin() + at + n);
    }
    out.push_back(0);
    return out;
}

struct ImagePart {
    uint16_t left = 0, top = 0, width = 1, height = 1;
    uint8_t flags = 0;  // 0x40 interlaced
    uint8_t minSize = 2;
    Bytes data;         // joined LZW data
};

inline void put16(Bytes* b, uint32_t v) {
    b->push_back(static_cast<uint8_t>(v));
    b->push_back(static_cast<uint8_t>(v >> 8));
}

inline Bytes imageBlock(const ImagePart& p) {
    Bytes b = {0x2C};
    put16(&b, p.left);
    put16(&b, p.top);
    put16(&b, p.width);
    put16(&b, p.height);
    b.push_back(p.flags);
    b.push_back(p.minSize);
    const Bytes blocks = subBlocks(p.data);
    b.insert(b.end(), blocks.begin(), blocks.end());
    return b;
}

// "GIF89a", a screen without a global table (the grey ramp), then the blocks given as they are.
inline Bytes gifFile(uint16_t width, uint16_t height, const std::vector<Bytes>& blocks, bool trailer = true) {
    Bytes f = {'G', 'I', 'F', '8', '9', 'a'};
    put16(&f, width);
    put16(&f, height);
    f.push_back(0);
    f.push_back(0);
    f.push_back(0);
    for (const Bytes& b : blocks) f.insert(f.end(), b.begin(), b.end());
    if (trailer) f.push_back(0x3B);
    return f;
}

}  // namespace tests::image::gif
