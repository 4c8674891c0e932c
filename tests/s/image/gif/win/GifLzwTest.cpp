// tests/s/image/gif/win/GifLzwTest.cpp
//
// The LZW coder: ImageMagick's streams (plain, interlaced, heights 1 to 4, a full table) decode
// to ImageMagick's indices; our encoder's output decodes back; damaged streams (bad code sizes,
// codes beyond the table, cut data, random damage) stop without reading past their bytes.
#include <gtest/gtest.h>

#include <vector>

#include "GoldenGifLzw.h"
#include "s/col/_array/ArrayU08.h"
#include "s/image/CodecTestSupport.h"
#include "s/image/gif/win/GifLzw.h"
#include "support/Pooled.h"

namespace {

using s::image::gif::win::GifLzw;
using tests::Pooled;
using tests::image::Bytes;

// Joins the sub-blocks of an encoder's output; empty when a length runs past the end.
Bytes joined(const Bytes& blocks) {
    Bytes out;
    for (size_t k = 0; k < blocks.size();) {
        const size_t n = blocks[k++];
        if (n == 0 || k + n > blocks.size()) return Bytes();
        out.insert(out.end(), blocks.begin() + k, blocks.begin() + k + n);
        k += n;
    }
    return out;
}

Bytes encoded(GifLzw* lzw, const Bytes& pixels, int32_t width, int32_t height, int32_t minSize) {
    Pooled<s::col::_array::ArrayU08> out;
    EXPECT_TRUE(lzw->encode(pixels.data(), width, height, minSize, width, out.get()));
    return Bytes(out->data(), out->data() + out->count());
}

TEST(GifLzwTest, ImageMagickStreamsDecodeToItsIndices) {
    Pooled<GifLzw> lzw;
    for (const auto& g : tests::image::gif::goldenLzw()) {
        Bytes pixels(g.width * g.height, 0xEE);
        EXPECT_EQ(g.width * g.height, lzw->decode(g.data.data(), static_cast<uint32_t>(g.data.size()), g.minSize,
                                                  pixels.data(), g.width, g.height, g.interlaced))
            << g.width << "x" << g.height;
        EXPECT_EQ(g.indices, pixels) << g.width << "x" << g.height << (g.interlaced ? " interlaced" : "");
    }
}

// A 10-row interlaced picture whose stream holds each row's number fills rows 0, 8, 4, 2, 6,
// 1, 3, 5, 7, 9: row r gets the index of its place in that order.
TEST(GifLzwTest, InterlacedRowsComeInPassOrder) {
    const int32_t order[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    Bytes stream;
    for (int32_t k = 0; k < 10; ++k) stream.push_back(static_cast<uint8_t>(k));
    Pooled<GifLzw> lzw;
    const Bytes data = joined(encoded(lzw.get(), stream, 1, 10, 4));
    Bytes pixels(10, 0xEE);
    ASSERT_EQ(10, lzw->decode(data.data(), static_cast<uint32_t>(data.size()), 4, pixels.data(), 1, 10, true));
    for (int32_t k = 0; k < 10; ++k) EXPECT_EQ(k, pixels[order[k]]) << "place " << k;
}

TEST(GifLzwTest, EncoderOutputDecodesBack) {
    struct Case {
        int32_t width, height, minSize, pattern;
    } cases[] = {{1, 1, 2, 0}, {7, 3, 2, 1}, {300, 200, 8, 2}, {300, 200, 8, 3}, {255, 17, 3, 2}, {1000, 30, 8, 0}};
    Pooled<GifLzw> lzw;
    for (const Case& t : cases) {
        Bytes pixels(t.width * t.height);
        uint32_t state = 7;
        for (size_t k = 0; k < pixels.size(); ++k) {
            state = state * 1103515245u + 12345u;
            const uint32_t v = t.pattern == 0 ? 0 : t.pattern == 1 ? k % 3 : t.pattern == 2 ? state >> 16 : (k / 7) % 11;
            pixels[k] = static_cast<uint8_t>(v & ((1u << t.minSize) - 1));
        }
        const Bytes blocks = encoded(lzw.get(), pixels, t.width, t.height, t.minSize);
        const Bytes data = joined(blocks);
        ASSERT_FALSE(data.empty()) << "sub-blocks of 1 to 254 bytes";
        for (size_t k = 0; k < blocks.size(); k += blocks[k] + 1u) EXPECT_LE(blocks[k], 254);
        Bytes back(pixels.size(), 0xEE);
        EXPECT_EQ(t.width * t.height, lzw->decode(data.data(), static_cast<uint32_t>(data.size()), t.minSize,
                                                  back.data(), t.width, t.height, false));
        EXPECT_EQ(pixels, back) << t.width << "x" << t.height << " pattern " << t.pattern;
    }
}

TEST(GifLzwTest, BadArgumentsWriteNothingOrZeros) {
    Pooled<GifLzw> lzw;
    const auto& g = tests::image::gif::goldenLzw()[0];
    Bytes pixels(g.width * g.height, 0xEE);
    for (int32_t minSize : {0, 9, 12, 31, -1}) {
        EXPECT_EQ(0, lzw->decode(g.data.data(), static_cast<uint32_t>(g.data.size()), minSize, pixels.data(),
                                 g.width, g.height, false))
            << minSize;
        EXPECT_EQ(Bytes(pixels.size(), 0), pixels) << "a frame that cannot be decoded is zeroed";
    }
    EXPECT_EQ(0, lzw->decode(g.data.data(), 0, 2, pixels.data(), g.width, g.height, false));
    EXPECT_EQ(0, lzw->decode(nullptr, 5, 2, pixels.data(), g.width, g.height, false));
    EXPECT_EQ(0, lzw->decode(g.data.data(), 5, 2, nullptr, g.width, g.height, false));
    EXPECT_EQ(0, lzw->decode(g.data.data(), 5, 2, pixels.data(), 0, 3, false));
    Pooled<s::col::_array::ArrayU08> out;
    EXPECT_FALSE(lzw->encode(pixels.data(), 4, 4, 1, 4, out.get()));
    EXPECT_FALSE(lzw->encode(pixels.data(), 4, 4, 9, 4, out.get()));
    EXPECT_FALSE(lzw->encode(pixels.data(), 0, 4, 8, 4, out.get()));
    EXPECT_FALSE(lzw->encode(pixels.data(), 4, 4, 8, 4, nullptr));
    tests::image::FullDisk full(3);
    EXPECT_FALSE(lzw->encode(pixels.data(), 4, 4, 8, 4, &full));
}

// Hand-made streams at minimum size 2 (codes of 3 bits: clear 4, end 5), packed LSB first, into
// a 5 x 1 frame.
Bytes packed(const std::vector<int32_t>& codes, int32_t width) {
    Bytes out;
    uint32_t bits = 0;
    int32_t count = 0;
    for (int32_t code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        for (count += width; count >= 8; count -= 8, bits >>= 8) out.push_back(static_cast<uint8_t>(bits));
    }
    if (count > 0) out.push_back(static_cast<uint8_t>(bits));
    return out;
}

TEST(GifLzwTest, MalformedStreamsStopWherePixelsEnd) {
    struct Case {
        const char* what;
        std::vector<int32_t> codes;
        int32_t written;
        Bytes pixels;
    } cases[] = {
        {"plain", {4, 1, 2, 6, 5}, 4, {1, 2, 1, 2, 0}},
        {"no clear first", {1, 2, 5}, 2, {1, 2, 0, 0, 0}},
        {"KwKwK", {4, 3, 6, 5}, 3, {3, 3, 3, 0, 0}},
        {"end code first after clear", {4, 5, 1}, 0, {0, 0, 0, 0, 0}},
        {"table code right after clear", {4, 6, 1}, 0, {0, 0, 0, 0, 0}},
        {"code beyond the next free", {4, 1, 7, 2}, 1, {1, 0, 0, 0, 0}},
        // the table reaches 8 after the third code, so the zero padding is read as a 4-bit 0
        {"no end code", {4, 1, 2, 3}, 4, {1, 2, 3, 0, 0}},
        {"more pixels than the frame", {4, 3, 6, 7}, 5, {3, 3, 3, 3, 3}},
    };
    Pooled<GifLzw> lzw;
    for (const Case& t : cases) {
        const Bytes data = packed(t.codes, 3);
        Bytes pixels(5, 0xEE);
        EXPECT_EQ(t.written, lzw->decode(data.data(), static_cast<uint32_t>(data.size()), 2, pixels.data(), 5, 1, false))
            << t.what;
        EXPECT_EQ(t.pixels, pixels) << t.what;
    }
}

// Thousands of damaged streams: each decodes within its bytes (ASan-free machines see this as
// "no crash"), and every copy is fed as an exact-size heap block so a read past it would fault
// under a checking allocator.
TEST(GifLzwTest, DamagedStreamsNeverCrash) {
    Pooled<GifLzw> lzw;
    const auto golden = tests::image::gif::goldenLzw();
    uint32_t n = 0;
    for (const auto& g : golden) {
        for (uint32_t k = 0; k < 400; ++k, ++n) {
            const Bytes copy = tests::image::damaged(g.data, n);
            Bytes pixels(g.width * g.height);
            const int32_t written = lzw->decode(copy.data(), static_cast<uint32_t>(copy.size()), g.minSize,
                                                pixels.data(), g.width, g.height, g.interlaced);
            ASSERT_GE(written, 0);
            ASSERT_LE(written, g.width * g.height);
        }
    }
}

}  // namespace
