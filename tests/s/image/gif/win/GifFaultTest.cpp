// tests/s/image/gif/win/GifFaultTest.cpp
//
// One row per fault a plain reading of the GIF format leads a decoder or encoder into, each
// with the small file that shows it: an end of stream inside a block, code sizes a table
// cannot hold, LZW data without an end, impossible first codes and codes beyond the table,
// a full table that goes on without a clear, interlaced pictures of 1 to 4 rows, sizes that
// overflow, block sizes other than the usual, a cut frame after a whole one, frames placed
// off the origin, frames of another depth and frames larger than the first.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "CodeStreams.h"
#include "s/image/CodecTestSupport.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/win/BufferedImageSet.h"
#include "support/Pooled.h"

namespace {

using s::image::gif::win::Gif;
using tests::Pooled;
using tests::image::decodeBytes;
using tests::image::encodeBytes;
using tests::image::Held;
using tests::image::pixelsOf;
using tests::image::gif::Bytes;
using tests::image::gif::codeStream;
using tests::image::gif::gifFile;
using tests::image::gif::ImagePart;
using tests::image::gif::imageBlock;

// The frame's palette indices (the grey ramp makes index k the colour k, k, k).
std::vector<uint32_t> indicesOf(const Gif* gif, int32_t i) {
    Held image(gif->toBufferedImage(i, nullptr));
    std::vector<uint32_t> out;
    for (uint32_t p : pixelsOf(image.get())) out.push_back(p & 0xFF);
    return out;
}

ImagePart part(uint16_t width, uint16_t height, uint8_t minSize, const std::vector<int32_t>& codes) {
    ImagePart p;
    p.width = width;
    p.height = height;
    p.minSize = minSize;
    p.data = codeStream(minSize, codes);
    return p;
}

struct Row {
    const char* fault;
    std::function<void()> check;
};

TEST(GifFaultTest, EachFaultHasItsRow) {
    const Bytes still = imageBlock(part(3, 1, 2, {4, 1, 2, 3, 5}));
    const Row rows[] = {
        {"G1 the stream ends inside a comment's sub-blocks: the frames so far, no endless wait",
         [&] {
             Bytes cut = gifFile(3, 1, {still}, false);
             for (uint8_t b : Bytes{0x21, 0xFE, 0x10, 'a', 'b'}) cut.push_back(b);
             Pooled<Gif> gif;
             EXPECT_TRUE(decodeBytes(gif.get(), cut));
             EXPECT_EQ((std::vector<uint32_t>{1, 2, 3}), indicesOf(gif.get(), 0));
         }},
        {"G2 minimum code sizes 0, 9, 12 and 255 skip the frame; the next one is read",
         [&] {
             for (uint8_t size : Bytes{0, 9, 12, 255}) {
                 ImagePart bad = part(3, 1, 2, {4, 1, 2, 3, 5});
                 bad.minSize = size;
                 Pooled<Gif> gif;
                 EXPECT_TRUE(decodeBytes(gif.get(), gifFile(3, 1, {imageBlock(bad), still}))) << int(size);
                 EXPECT_EQ(1, gif->getImageCount()) << int(size);
             }
         }},
        {"G3 data without an end code stops at the data's end",
         [&] {
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(5, 1, {imageBlock(part(5, 1, 2, {4, 1, 2, 3}))})));
             EXPECT_EQ((std::vector<uint32_t>{1, 2, 3, 0, 0}), indicesOf(gif.get(), 0));
         }},
        {"G4 a table code right after the clear has no string: the frame stops there",
         [&] {
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(3, 1, {imageBlock(part(3, 1, 2, {4, 6, 1, 5}))})));
             EXPECT_EQ((std::vector<uint32_t>{0, 0, 0}), indicesOf(gif.get(), 0));
         }},
        {"G5 a code beyond the next free one is no KwKwK case: the frame stops there",
         [&] {
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(4, 1, {imageBlock(part(4, 1, 2, {4, 1, 7, 2, 5}))})));
             EXPECT_EQ((std::vector<uint32_t>{1, 0, 0, 0}), indicesOf(gif.get(), 0));
         }},
        {"G6 a full table without a clear goes on at 12 bits (a deferred clear)",
         [&] {
             std::vector<int32_t> codes = {256};
             const int32_t pixels = 3839 + 500;  // 3839 fill codes 258 to 4095, then 500 more
             for (int32_t k = 0; k < pixels; ++k) codes.push_back(k % 256);
             codes.push_back(257);
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(pixels, 1, {imageBlock(part(pixels, 1, 8, codes))})));
             const std::vector<uint32_t> got = indicesOf(gif.get(), 0);
             ASSERT_EQ(static_cast<size_t>(pixels), got.size());
             for (int32_t k = 0; k < pixels; ++k) ASSERT_EQ(static_cast<uint32_t>(k % 256), got[k]) << k;
         }},
        {"G7 interlaced pictures of 1 to 4 rows skip the passes that start below them",
         [&] {
             const std::vector<std::vector<uint32_t>> rowsOf = {{1}, {1, 2}, {1, 3, 2}, {1, 3, 2, 4}};
             for (uint16_t h = 1; h <= 4; ++h) {
                 std::vector<int32_t> codes = {8};
                 for (int32_t k = 1; k <= h; ++k) codes.push_back(k);
                 codes.push_back(9);
                 ImagePart p = part(1, h, 3, codes);
                 p.flags = 0x40;
                 Pooled<Gif> gif;
                 ASSERT_TRUE(decodeBytes(gif.get(), gifFile(1, h, {imageBlock(p)}))) << h;
                 EXPECT_EQ(rowsOf[h - 1], indicesOf(gif.get(), 0)) << h << " rows";
             }
         }},
        {"G8 a frame of 65535 x 65535 (its pixel count overflows 32 bits) or 0 wide is skipped",
         [&] {
             for (uint16_t side : std::vector<uint16_t>{0xFFFF, 0}) {
                 ImagePart huge = part(3, 1, 2, {4, 1, 5});
                 huge.width = side;
                 huge.height = 0xFFFF;
                 Pooled<Gif> gif;
                 EXPECT_TRUE(decodeBytes(gif.get(), gifFile(3, 1, {imageBlock(huge), still})));
                 EXPECT_EQ(1, gif->getImageCount());
                 EXPECT_EQ(3, gif->getWidth());
             }
         }},
        {"G9 a control block of 5 bytes is read by its size byte",
         [&] {
             const Bytes control = {0x21, 0xF9, 0x05, 0x09, 0x07, 0x00, 0x02, 0xEE, 0x00};
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(3, 1, {control, still})));
             EXPECT_EQ(70, gif->delay(0));
             EXPECT_EQ(2, gif->disposal(0));
             EXPECT_EQ(2, gif->transparentIndex(0));
         }},
        {"G10 a frame cut short after a whole one shows none of the first one's indices",
         [&] {
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(3, 1, {still, imageBlock(part(3, 1, 2, {4, 2}))})));
             ASSERT_EQ(2, gif->getImageCount());
             EXPECT_EQ((std::vector<uint32_t>{2, 0, 0}), indicesOf(gif.get(), 1));
         }},
        {"G11 a frame off the origin is placed where the file puts it, not centred",
         [&] {
             ImagePart dot = part(1, 1, 2, {4, 3, 5});
             dot.left = 2;
             dot.top = 1;
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(4, 3, {imageBlock(dot)})));
             Pooled<s::image::win::BufferedImageSet> set(gif->toImageSet());
             ASSERT_EQ(1, set->getCount());
             const std::vector<uint32_t> px = pixelsOf(set->getImage(0));
             ASSERT_EQ(12u, px.size());
             for (size_t k = 0; k < px.size(); ++k) {
                 EXPECT_EQ(k == 6 ? 0xFF030303u : 0u, k == 6 ? px[k] : px[k] >> 24) << "pixel " << k;
             }
             const Bytes again = encodeBytes(gif.get());
             ASSERT_GE(again.size(), 45u);  // header 13, loop block 19, control block 8, then 0x2C
             ASSERT_EQ(0x2C, again[40]);
             EXPECT_EQ(2, again[41] | again[42] << 8) << "the left is written back";
             EXPECT_EQ(1, again[43] | again[44] << 8) << "and the top";
         }},
        {"G12 a frame of another depth is refused before any byte is written",
         [&] {
             Pooled<s::image::bmp::win::Bitmap> rgb;
             ASSERT_TRUE(rgb->create(2, 2, 24));
             Pooled<Gif> gif;
             ASSERT_TRUE(gif->fromBitmapHandle(rgb->getBitmapHandle()));
             ASSERT_NE(8, gif->getBitDepth());
             tests::image::FullDisk disk(1 << 20);
             EXPECT_FALSE(gif->encode(&disk));
             EXPECT_EQ(0u, disk.taken);
         }},
        {"G13 a frame larger than the first widens the screen written",
         [&] {
             Pooled<Gif> gif;
             ASSERT_TRUE(decodeBytes(gif.get(), gifFile(4, 3, {imageBlock(part(2, 2, 2, {4, 1, 5})),
                                                             imageBlock(part(4, 3, 2, {4, 1, 5}))})));
             const Bytes file = encodeBytes(gif.get());
             ASSERT_GE(file.size(), 10u);
             EXPECT_EQ(4, file[6] | file[7] << 8);
             EXPECT_EQ(3, file[8] | file[9] << 8);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        row.check();
    }
}

}  // namespace
