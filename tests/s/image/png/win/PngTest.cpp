// tests/s/image/png/win/PngTest.cpp
//
// The PNG codec against files of every colour type, bit depth and interlace that ImageMagick
// wrote (GoldenPngs.h, with the pixels libpng must give), the writer's header and round trips,
// truncated, corrupted and oversized files (a table and a few thousand mutations), a full disk,
// and the alpha rules of the conversion.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <zlib.h>

#include "s/image/CodecTestSupport.h"
#include "s/image/IEncodedImage.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/png/win/GoldenPngs.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"

namespace {

using s::image::png::win::Png;
using tests::Pooled;
using tests::image::Bytes;
using tests::image::decodeBytes;
using tests::image::encodeBytes;
using tests::image::Held;

const tests::image::GoldenPng* goldenOf(const char* name) {
    for (const auto& g : tests::image::kGoldenPngs) {
        if (std::string(g.name) == name) return &g;
    }
    ADD_FAILURE() << "no golden file " << name;
    return &tests::image::kGoldenPngs[0];
}

Bytes fileOf(const char* name) {
    const auto* g = goldenOf(name);
    return Bytes(g->bytes, g->bytes + g->size);
}

Bytes storeOf(const Png* png) {
    Bytes out;
    for (int32_t i = 0; i < png->getHeight(); ++i) {
        out.insert(out.end(), png->getRow(i), png->getRow(i) + png->getWidth() * 4);
    }
    return out;
}

uint32_t be32(const Bytes& b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
void putBe32(Bytes* b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) (*b)[at + k] = static_cast<uint8_t>(v >> (24 - 8 * k));
}

// The header chunk's size fields replaced, with a correct checksum, so only the size is wrong.
Bytes withHeaderSize(Bytes file, uint32_t width, uint32_t height) {
    putBe32(&file, 16, width);
    putBe32(&file, 20, height);
    putBe32(&file, 29, static_cast<uint32_t>(crc32(0, file.data() + 12, 17)));
    return file;
}

// Where the first chunk of that type starts (the file's size when there is none).
size_t chunkAt(const Bytes& file, uint32_t type) {
    size_t at = 8;
    while (at + 8 <= file.size() && be32(file, at + 4) != type) at += 12 + be32(file, at);
    return at < file.size() ? at : file.size();
}
constexpr uint32_t kImageData = 0x49444154u;  // IDAT
constexpr uint32_t kEnd = 0x49454E44u;        // IEND

TEST(PngTest, DecodesEveryColourTypeDepthAndInterlaceToTheRightPixels) {
    for (const auto& g : tests::image::kGoldenPngs) {
        SCOPED_TRACE(std::string(g.name) + ": " + g.why);
        Pooled<Png> png;
        ASSERT_TRUE(decodeBytes(png.get(), Bytes(g.bytes, g.bytes + g.size)));
        ASSERT_EQ(g.width, png->getWidth());
        ASSERT_EQ(g.height, png->getHeight());
        EXPECT_EQ(32, png->getBitDepth());
        EXPECT_EQ(Bytes(g.bgra, g.bgra + g.width * g.height * 4), storeOf(png.get()));
    }
}

TEST(PngTest, TheConversionSetsTheAlphaFlagOnlyWhenSomePixelIsNotOpaque) {
    struct Case { const char* name; bool alpha; };
    const Case cases[] = {{"rgb8", false}, {"grey16", false}, {"palette_trns", true}, {"rgba8_adam7", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<Png> png;
        ASSERT_TRUE(decodeBytes(png.get(), fileOf(c.name)));
        Held image(png->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, image.get());
        EXPECT_EQ(c.alpha, image->hasAlpha());
    }
}

TEST(PngTest, WritesEightBitRgbaThatReadsBackExactlyAndLeavesTheStore) {
    Pooled<Png> source;
    ASSERT_TRUE(decodeBytes(source.get(), fileOf("rgba8")));
    const Bytes before = storeOf(source.get());
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        source->setInterlace(interlace);
        const Bytes file = encodeBytes(source.get());
        EXPECT_EQ(before, storeOf(source.get()));
        ASSERT_GT(file.size(), 33u);
        EXPECT_EQ(0x49484452u, be32(file, 12)) << "the header chunk first";
        EXPECT_EQ(8, file[24]) << "bit depth";
        EXPECT_EQ(6, file[25]) << "colour type RGBA";
        EXPECT_EQ(interlace ? 1 : 0, file[28]);
        Pooled<Png> back;
        ASSERT_TRUE(decodeBytes(back.get(), file));
        EXPECT_EQ(before, storeOf(back.get()));
    }
}

TEST(PngTest, NewFromAnImageWritesInterlacedAndKeepsTransparency) {
    Held image(tests::image::imageOf(2, 1, {0x00FF0000u, 0x80000000u}, true));
    ASSERT_NE(nullptr, image.get());
    for (bool ownFlag : {false, true}) {
        SCOPED_TRACE(ownFlag);
        Pooled<Png> codec;
        codec->setInterlace(ownFlag);  // the codec's own flag is not what the defaults say
        Pooled<s::image::IEncodedImage> made(codec->newFromImage(image.get()));
        ASSERT_NE(nullptr, made.get());
        const Bytes file = encodeBytes(made.get());
        ASSERT_GT(file.size(), 33u);
        EXPECT_EQ(1, file[28]) << "Adam7";
        Pooled<Png> back;
        ASSERT_TRUE(decodeBytes(back.get(), file));
        EXPECT_EQ(0x00u, back->getRow(0)[3]) << "alpha of the transparent pixel";
    }
}

TEST(PngTest, NewPngFromImageWritesTheInterlaceAskedAndKeepsOrFlattensTransparency) {
    Held image(tests::image::imageOf(2, 1, {0x00FF0000u, 0x80000000u}, true));
    ASSERT_NE(nullptr, image.get());
    struct Case { bool interlace, keep; uint32_t first; };
    const Case cases[] = {{true, true, 0x00u}, {true, false, 0xFFu}, {false, true, 0x00u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.interlace) + " " + std::to_string(c.keep));
        Pooled<Png> png(s::image::png::win::newPngFromImage(image.get(), c.interlace, c.keep, 255, 255, 255));
        ASSERT_NE(nullptr, png.get());
        const Bytes file = encodeBytes(png.get());
        ASSERT_GT(file.size(), 33u);
        EXPECT_EQ(c.interlace ? 1 : 0, file[28]);
        Pooled<Png> back;
        ASSERT_TRUE(decodeBytes(back.get(), file));
        EXPECT_EQ(c.first, back->getRow(0)[3]) << "alpha of the transparent pixel";
    }
}

TEST(PngTest, AnImageWithItsAlphaFlagOffIsWrittenOpaque) {
    // Alpha bytes of 0 that the flag says mean nothing (a picture from GDI, say).
    Held image(tests::image::imageOf(2, 1, {0x00102030u, 0x7F405060u}, false));
    ASSERT_NE(nullptr, image.get());
    Pooled<Png> png(s::image::png::win::newPngFromImage(image.get(), false, true, 0, 0, 0));
    ASSERT_NE(nullptr, png.get());
    Pooled<Png> back;
    ASSERT_TRUE(decodeBytes(back.get(), encodeBytes(png.get())));
    ASSERT_EQ(2, back->getWidth());
    EXPECT_EQ(Bytes({0x30, 0x20, 0x10, 0xFF, 0x60, 0x50, 0x40, 0xFF}), storeOf(back.get()));
}

TEST(PngTest, TruncatedCorruptedAndOversizedFilesFailCleanly) {
    const Bytes good = fileOf("rgb8");
    const size_t data = chunkAt(good, kImageData);
    const size_t dataBytes = be32(good, data);
    ASSERT_GT(dataBytes, 20u);
    Bytes badCrc = good;
    badCrc[29] ^= 0xFF;
    Bytes badSignature = good;
    badSignature[1] = 'X';
    Bytes badData = good;
    for (size_t k = data + 10; k < data + 8 + dataBytes; ++k) badData[k] ^= 0x5A;
    struct Case { const char* why; Bytes bytes; };
    const Case cases[] = {
        {"empty", Bytes()},
        {"signature only", Bytes(good.begin(), good.begin() + 8)},
        {"cut in the header", Bytes(good.begin(), good.begin() + 20)},
        {"cut in the image data", Bytes(good.begin(), good.begin() + data + 8 + dataBytes / 2)},
        {"header checksum wrong", badCrc},
        {"signature wrong", badSignature},
        {"image data scrambled", badData},
        {"huge stated size", withHeaderSize(good, 60000, 60000)},
        {"zero width", withHeaderSize(good, 0, 7)},
        {"a JPEG", Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Pooled<Png> png;
        ASSERT_TRUE(png->create(3, 3)) << "a failed decode must drop the old picture";
        EXPECT_FALSE(decodeBytes(png.get(), c.bytes));
        EXPECT_EQ(0, png->getWidth());
        EXPECT_EQ(nullptr, png->getBits());
    }
}

TEST(PngTest, AFileCutAfterItsImageKeepsThePicture) {
    const auto* g = goldenOf("rgba8");
    const Bytes good(g->bytes, g->bytes + g->size);
    Pooled<Png> png;
    EXPECT_TRUE(decodeBytes(png.get(), Bytes(good.begin(), good.begin() + chunkAt(good, kEnd))));
    EXPECT_EQ(Bytes(g->bgra, g->bgra + g->width * g->height * 4), storeOf(png.get()));
}

TEST(PngTest, ThousandsOfDamagedFilesNeverCrashOrHang) {
    int decoded = 0, refused = 0;
    for (const auto& g : tests::image::kGoldenPngs) {
        const Bytes file(g.bytes, g.bytes + g.size);
        for (uint32_t n = 0; n < 300; ++n) {
            Pooled<Png> png;
            if (decodeBytes(png.get(), tests::image::damaged(file, n))) {
                ++decoded;
                EXPECT_GT(png->getWidth(), 0);
            } else {
                ++refused;
                EXPECT_EQ(0, png->getWidth());
            }
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

TEST(PngTest, AFullDiskFailsTheEncodeAndLeavesTheStore) {
    Pooled<Png> png;
    ASSERT_TRUE(decodeBytes(png.get(), fileOf("rgba16")));
    const Bytes before = storeOf(png.get());
    for (uint32_t limit : {0u, 8u, 40u}) {
        SCOPED_TRACE(limit);
        tests::image::FullDisk disk(limit);
        EXPECT_FALSE(png->encode(&disk));
        EXPECT_EQ(before, storeOf(png.get()));
    }
}

TEST(PngTest, AStreamThatStallsOrEndsIsNeitherRetriedForeverNorClosed) {
    const Bytes file = fileOf("rgb8");
    struct Case { const char* why; Bytes bytes; bool stalling; bool decodes; };
    const Case cases[] = {
        {"stalls at once", Bytes(), true, false},
        {"stalls in the image data", Bytes(file.begin(), file.begin() + chunkAt(file, kImageData) + 20), true, false},
        {"bad signature", Bytes(8, 'x'), false, false},
        {"ends after the file", file, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        tests::image::CountingInput in(c.bytes, c.stalling);
        Pooled<Png> png;
        EXPECT_EQ(c.decodes, png->decode(&in));
        EXPECT_EQ(0, in.closes);
        EXPECT_LT(in.reads, 1000u);
    }
}

TEST(PngTest, TakenAgainFromItsPoolItIsNotInterlacedAndEmpty) {
    Png* png = s::thread::Pool<Png>::obtain();
    ASSERT_NE(nullptr, png);
    png->setInterlace(true);
    ASSERT_TRUE(png->create(2, 2));
    png->releaseToPool();
    Pooled<Png> again;
    EXPECT_FALSE(again->isInterlaced());
    EXPECT_EQ(0, again->getWidth());
}

}  // namespace
