// tests/s/image/gif/win/GifFrameTest.cpp
//
// Frames made from images: kept transparency (the alpha threshold, the transparent index at
// 2^depth - 1), transparency flattened onto a colour, the colour limit of a depth, a frame
// that survives our writer and reader, and create at each colour depth (frames of 1 and 4 bits
// written and read at their depth).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "s/image/CodecTestSupport.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/gif/win/Gif.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"

namespace {

using s::image::gif::win::Gif;
using s::image::gif::win::newGifFromImage;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

const std::vector<uint32_t> kMixed = {0xFFFF0000u, 0x00123456u, 0xFF0000FFu, 0x50FF0000u, 0x60FF0000u};

TEST(GifFrameTest, KeptTransparencyUsesTheThresholdAndTheLastIndex) {
    Held image(imageOf(5, 1, kMixed, true));
    struct Case {
        int32_t depth, transparent;
    } cases[] = {{8, 255}, {4, 15}, {1, 1}, {0, 1}, {12, 255}};
    for (const Case& t : cases) {
        Pooled<Gif> gif;
        ASSERT_TRUE(gif->addFrameFromImage(image.get(), t.depth, true, 1, 2, 3, 96)) << t.depth;
        ASSERT_EQ(1, gif->getImageCount());
        EXPECT_EQ(t.transparent, gif->transparentIndex(0)) << t.depth;
        const uint8_t* indices = gif->frame(0)->getRow(0);
        EXPECT_EQ(t.transparent, indices[1]) << "alpha 0, depth " << t.depth;
        EXPECT_EQ(t.transparent, indices[3]) << "alpha 0x50 is below 96, depth " << t.depth;
        EXPECT_NE(t.transparent, indices[4]) << "alpha 0x60 is not, depth " << t.depth;
        Held out(gif->toBufferedImage(0, nullptr));
        const std::vector<uint32_t> px = pixelsOf(out.get());
        EXPECT_TRUE(out->hasAlpha());
        EXPECT_EQ(0u, px[1] >> 24);
        EXPECT_EQ(0u, px[3] >> 24);
        if (t.depth >= 2) {
            EXPECT_EQ(0xFFFF0000u, px[0]) << t.depth;
            EXPECT_EQ(0xFF0000FFu, px[2]) << t.depth;
        }
    }
}

TEST(GifFrameTest, FlattenedTransparencyShowsTheBackground) {
    Held image(imageOf(5, 1, kMixed, true));
    Pooled<Gif> gif(newGifFromImage(image.get(), 8, false, 255, 255, 255));
    ASSERT_NE(nullptr, gif.get());
    EXPECT_EQ(-1, gif->transparentIndex(0));
    Held out(gif->toBufferedImage(0, nullptr));
    const std::vector<uint32_t> px = pixelsOf(out.get());
    EXPECT_FALSE(out->hasAlpha());
    EXPECT_EQ(0xFFFF0000u, px[0]);
    EXPECT_EQ(0xFFFFFFFFu, px[1]);
    EXPECT_EQ(0xFF0000FFu, px[2]);
}

TEST(GifFrameTest, DepthFourKeepsFifteenColoursAndSurvivesTheWriter) {
    Held image(imageOf(8, 5, tests::image::distinctPixels(8, 5), false));
    Pooled<Gif> gif;
    ASSERT_TRUE(gif->addFrameFromImage(image.get(), 4, true, 0, 0, 0, 96));
    EXPECT_EQ(-1, gif->transparentIndex(0));
    for (int32_t i = 0; i < 5; ++i) {
        for (int32_t j = 0; j < 8; ++j) EXPECT_LT(gif->frame(0)->getRow(i)[j], 15) << i << "," << j;
    }
    EXPECT_EQ(8, gif->frame(0)->getBitDepth()) << "written as an 8-bit frame";
    Held before(gif->toBufferedImage(0, nullptr));
    const tests::image::Bytes file = tests::image::encodeBytes(gif.get());
    Pooled<Gif> back;
    ASSERT_TRUE(tests::image::decodeBytes(back.get(), file));
    Held after(back->toBufferedImage(0, nullptr));
    EXPECT_EQ(pixelsOf(before.get()), pixelsOf(after.get()));
}

TEST(GifFrameTest, CreateMakesOneEmptyFrame) {
    Pooled<Gif> gif;
    Held image(imageOf(2, 1, {0xFF000000u, 0xFFFFFFFFu}, false));
    ASSERT_TRUE(gif->addFrameFromImage(image.get(), 8, true, 0, 0, 0, 96));
    ASSERT_TRUE(gif->addFrameFromImage(image.get(), 8, true, 0, 0, 0, 96));
    EXPECT_EQ(2, gif->getImageCount()) << "frames from images append";
    ASSERT_TRUE(gif->create(3, 2));
    ASSERT_EQ(1, gif->getImageCount());
    EXPECT_EQ(3, gif->getWidth());
    EXPECT_EQ(2, gif->getHeight());
    EXPECT_EQ(-1, gif->transparentIndex(0));
    EXPECT_EQ(0, gif->delay(0));
    EXPECT_FALSE(gif->create(0, 2));
    EXPECT_EQ(0, gif->getImageCount());
    EXPECT_FALSE(gif->addFrameFromImage(nullptr, 8, true, 0, 0, 0, 96));
    EXPECT_EQ(nullptr, newGifFromImage(nullptr, 8, true, 0, 0, 0));
}

TEST(GifFrameTest, ScreenIsTheLargestFrameAndTransparencyIsSeen) {
    Pooled<Gif> gif;
    Held small(imageOf(2, 1, {0xFF000000u, 0xFFFFFFFFu}, false));
    Held large(imageOf(3, 4, tests::image::distinctPixels(3, 4), false));
    Held clear(imageOf(1, 1, {0u}, true));
    ASSERT_TRUE(gif->addFrameFromImage(small.get(), 8, true, 0, 0, 0, 96));
    EXPECT_FALSE(gif->hasTransparency());
    ASSERT_TRUE(gif->addFrameFromImage(large.get(), 8, true, 0, 0, 0, 96));
    ASSERT_TRUE(gif->addFrameFromImage(clear.get(), 8, true, 0, 0, 0, 96));
    EXPECT_TRUE(gif->hasTransparency());
    EXPECT_EQ(8, gif->getBitDepth());
    const tests::image::Bytes file = tests::image::encodeBytes(gif.get());
    ASSERT_GE(file.size(), 13u);
    EXPECT_EQ(3, file[6] | file[7] << 8) << "screen width";
    EXPECT_EQ(4, file[8] | file[9] << 8) << "screen height";
    EXPECT_EQ(0x77, file[10]) << "no global table, 8 bits";
}

TEST(GifFrameTest, CreateMakesTheFrameAtItsDepth) {
    struct Case { int32_t depth, store; };
    const Case cases[] = {{1, 1}, {2, 4}, {3, 4}, {4, 4}, {5, 8}, {7, 8}, {8, 8},
                          {0, 0}, {9, 0}, {24, 0}, {-1, 0}};  // no GIF holds these
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        Pooled<Gif> gif;
        EXPECT_EQ(c.store != 0, gif->create(4, 3, c.depth));
        EXPECT_EQ(c.store != 0 ? 1 : 0, gif->getImageCount());
        EXPECT_EQ(c.store, gif->getBitDepth());
        int32_t index = -1;
        if (c.store) {
            EXPECT_TRUE(gif->findExact(4, 3, c.store, &index)) << "the frame's depth is its store's";
        }
    }
}

TEST(GifFrameTest, AFrameOfFewerBitsIsWrittenAndReadAtItsDepth) {
    for (int32_t bits : {1, 4}) {
        SCOPED_TRACE(bits);
        Pooled<Gif> gif;
        ASSERT_TRUE(gif->create(9, 2, bits));
        auto* frame = const_cast<s::image::bmp::win::Bitmap*>(gif->frame(0));
        const int32_t entries = 1 << bits;
        for (int32_t k = 0; k < entries; ++k) frame->getPalette()[k] = RGBQUAD{BYTE(k), BYTE(200 - k), BYTE(10 * k), 0};
        // index (x + y) mod entries, the first pixel in the high bits
        for (int32_t y = 0; y < 2; ++y) {
            uint8_t* row = frame->getRow(y);
            for (int32_t x = 0; x < 9; ++x) {
                const int32_t perByte = 8 / bits, shift = 8 - bits * (x % perByte + 1);
                row[x / perByte] = static_cast<uint8_t>(row[x / perByte] | ((x + y) % entries) << shift);
            }
        }
        bool written = false;
        const tests::image::Bytes file = tests::image::encodeBytes(gif.get(), &written);
        ASSERT_TRUE(written);
        ASSERT_GT(file.size(), 49u);
        EXPECT_EQ((bits - 1) | (bits - 1) << 4, file[10]) << "screen: colour resolution and table size";
        EXPECT_EQ(0x80 | (bits - 1), file[13 + 19 + 8 + 9]) << "descriptor: a local table of 2^bits colours";
        Pooled<Gif> back;
        ASSERT_TRUE(tests::image::decodeBytes(back.get(), file));
        EXPECT_EQ(bits, back->tableDepth());
        const s::image::bmp::win::Bitmap* read = back->frame(0);
        ASSERT_NE(nullptr, read);
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 9; ++x) EXPECT_EQ((x + y) % entries, read->getRow(y)[x]) << x << "," << y;
        }
        // Transparency of such a frame goes by its own indices.
        Pooled<Gif> keyed;
        auto* copy = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
        ASSERT_TRUE(copy->create(9, 2, bits));
        std::memcpy(copy->getBits(), frame->getBits(), static_cast<size_t>(copy->getStride()) * 2);
        ASSERT_TRUE(keyed->appendFrame(copy, 1, 0, 0));
        Held image(keyed->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, image.get());
        EXPECT_TRUE(image->hasAlpha());
        for (int32_t x = 0; x < 9; ++x) EXPECT_EQ((x % entries == 1) ? 0u : 255u, image->getRow(0)[x] >> 24) << x;
    }
}

}  // namespace
