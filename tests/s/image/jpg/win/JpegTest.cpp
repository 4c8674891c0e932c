// tests/s/image/jpg/win/JpegTest.cpp
//
// The JPEG codec against files ImageMagick made with the same libjpeg-turbo (GoldenJpegs.h,
// each with the pixels it decodes, and the baseline bytes of one picture at four qualities),
// the encoder's output and its effect on the store, files that end early, damaged files that
// must fail cleanly (a table and a few thousand mutations), a full disk, and the conversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "s/image/CodecTestSupport.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/jpg/win/GoldenJpegs.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"

namespace {

using s::image::jpg::win::Jpeg;
using tests::Pooled;
using tests::image::Bytes;
using tests::image::decodeBytes;
using tests::image::encodeBytes;
using tests::image::Held;

Bytes fileOf(const char* name) {
    for (const auto& g : tests::image::kGoldenJpegs) {
        if (std::string(g.name) == name) return Bytes(g.bytes, g.bytes + g.size);
    }
    ADD_FAILURE() << "no golden file " << name;
    return Bytes();
}

// The store's pixels as R, G, B from the top row down.
Bytes rgbOf(const Jpeg* jpeg) {
    Bytes out;
    for (int32_t i = 0; i < jpeg->getHeight(); ++i) {
        const uint8_t* row = jpeg->getRow(i);
        for (int32_t j = 0; j < jpeg->getWidth(); ++j) {
            out.insert(out.end(), {row[3 * j + 2], row[3 * j + 1], row[3 * j]});
        }
    }
    return out;
}

Bytes storeOf(const Jpeg* jpeg) {
    Bytes out;
    for (int32_t i = 0; i < jpeg->getHeight(); ++i) {
        out.insert(out.end(), jpeg->getRow(i), jpeg->getRow(i) + jpeg->getWidth() * 3);
    }
    return out;
}

// A smooth ramp (round trips lose little) or noise (files far larger than one 4096-byte block).
void fillPattern(Jpeg* jpeg, int32_t width, int32_t height, bool noise = false) {
    ASSERT_TRUE(jpeg->create(width, height));
    for (int32_t i = 0; i < height; ++i) {
        for (int32_t j = 0; j < width * 3; ++j) {
            const uint32_t v = noise ? (i * 7919u + j * 104729u) * 2654435761u >> 24 : i * 3u + j / 2u;
            jpeg->getRow(i)[j] = static_cast<uint8_t>(v);
        }
    }
}

TEST(JpegTest, DecodesEveryKindExactlyAsTheSameLibraryDoes) {
    for (const auto& g : tests::image::kGoldenJpegs) {
        SCOPED_TRACE(std::string(g.name) + ": " + g.why);
        Pooled<Jpeg> jpeg;
        ASSERT_TRUE(decodeBytes(jpeg.get(), Bytes(g.bytes, g.bytes + g.size)));
        ASSERT_EQ(g.width, jpeg->getWidth());
        ASSERT_EQ(g.height, jpeg->getHeight());
        EXPECT_EQ(24, jpeg->getBitDepth());
        const Bytes got = rgbOf(jpeg.get());
        const Bytes want(g.rgb, g.rgb + g.width * g.height * 3);
        if (g.exact) {
            EXPECT_EQ(want, got);
        } else {
            for (size_t k = 0; k < want.size(); ++k) EXPECT_LE(std::abs(want[k] - got[k]), 1) << k;
        }
    }
}

TEST(JpegTest, GreyDecodesToEqualColours) {
    Pooled<Jpeg> jpeg;
    ASSERT_TRUE(decodeBytes(jpeg.get(), fileOf("grey")));
    bool someDiffer = false;
    for (int32_t i = 0; i < jpeg->getHeight(); ++i) {
        const uint8_t* row = jpeg->getRow(i);
        for (int32_t j = 0; j < jpeg->getWidth(); ++j) {
            EXPECT_EQ(row[3 * j], row[3 * j + 1]);
            EXPECT_EQ(row[3 * j], row[3 * j + 2]);
            someDiffer = someDiffer || row[3 * j] != jpeg->getRow(0)[0];
        }
    }
    EXPECT_TRUE(someDiffer) << "the grey picture is not flat";
}

TEST(JpegTest, EncodeLeavesTheStoreAsItWasAndWritesAWholeBaselineFile) {
    Pooled<Jpeg> jpeg;
    fillPattern(jpeg.get(), 37, 21);
    const Bytes before = storeOf(jpeg.get());
    const Bytes file = encodeBytes(jpeg.get());
    EXPECT_EQ(before, storeOf(jpeg.get()));
    ASSERT_GT(file.size(), 4u);
    EXPECT_EQ(0xFF, file[0]);
    EXPECT_EQ(0xD8, file[1]);
    EXPECT_EQ(0xFF, file[file.size() - 2]);
    EXPECT_EQ(0xD9, file[file.size() - 1]);
    bool baseline = false;  // a start-of-frame 0 marker, not a progressive one
    for (size_t k = 0; k + 1 < file.size(); ++k) baseline = baseline || (file[k] == 0xFF && file[k + 1] == 0xC0);
    EXPECT_TRUE(baseline);
    EXPECT_EQ(file, encodeBytes(jpeg.get())) << "the same pixels make the same bytes";
}

TEST(JpegTest, EncodesTheBytesOfTheLibrarysOwnBaselineEncoder) {
    Pooled<Jpeg> jpeg;
    ASSERT_TRUE(jpeg->create(13, 9));
    for (int32_t y = 0; y < 9; ++y) {
        for (int32_t x = 0; x < 13; ++x) {
            uint8_t rgb[3];
            tests::image::goldenJpegColour(x, y, rgb);
            uint8_t* p = jpeg->getRow(y) + 3 * x;
            p[0] = rgb[2];
            p[1] = rgb[1];
            p[2] = rgb[0];
        }
    }
    for (const auto& g : tests::image::kGoldenJpegEncodes) {
        SCOPED_TRACE(g.quality);
        jpeg->setQuality(g.quality);
        EXPECT_EQ(Bytes(g.bytes, g.bytes + g.size), encodeBytes(jpeg.get()));
    }
}

TEST(JpegTest, QualityDecidesTheSizeAndTheErrorOfARoundTrip) {
    struct Case { int32_t quality; int worstError; };
    const Case cases[] = {{100, 12}, {90, 40}, {30, 120}};
    Pooled<Jpeg> jpeg;
    fillPattern(jpeg.get(), 40, 24);
    const Bytes source = storeOf(jpeg.get());
    size_t previous = SIZE_MAX;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        jpeg->setQuality(c.quality);
        const Bytes file = encodeBytes(jpeg.get());
        EXPECT_LT(file.size(), previous);
        previous = file.size();
        Pooled<Jpeg> back;
        ASSERT_TRUE(decodeBytes(back.get(), file));
        ASSERT_EQ(40, back->getWidth());
        ASSERT_EQ(24, back->getHeight());
        const Bytes got = storeOf(back.get());
        int worst = 0;
        for (size_t k = 0; k < got.size(); ++k) worst = std::max(worst, std::abs(got[k] - source[k]));
        EXPECT_LE(worst, c.worstError);
    }
}

TEST(JpegTest, AFileThatEndsEarlyStillDecodesOnceItsHeaderIsWhole) {
    const Bytes file = fileOf("q90_420");
    size_t scan = 0;  // the start-of-scan marker: every table and the frame lie before it
    while (scan + 1 < file.size() && !(file[scan] == 0xFF && file[scan + 1] == 0xDA)) ++scan;
    ASSERT_LT(scan + 20, file.size());
    struct Case { size_t keep; bool decodes; };
    const Case cases[] = {{0, false}, {1, false}, {2, false}, {40, false}, {scan, false},
                          {scan + 20, true}, {file.size() - 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keep);
        Pooled<Jpeg> jpeg;
        EXPECT_EQ(c.decodes, decodeBytes(jpeg.get(), Bytes(file.begin(), file.begin() + c.keep)));
        EXPECT_EQ(c.decodes ? 13 : 0, jpeg->getWidth());
        EXPECT_EQ(c.decodes ? 9 : 0, jpeg->getHeight());
    }
}

// Sets the start-of-frame's height and width (the two 16-bit fields after its precision).
Bytes withFrameSize(Bytes file, uint16_t width, uint16_t height) {
    for (size_t k = 0; k + 9 < file.size(); ++k) {
        if (file[k] == 0xFF && (file[k + 1] == 0xC0 || file[k + 1] == 0xC2)) {
            file[k + 5] = static_cast<uint8_t>(height >> 8);
            file[k + 6] = static_cast<uint8_t>(height);
            file[k + 7] = static_cast<uint8_t>(width >> 8);
            file[k + 8] = static_cast<uint8_t>(width);
            break;
        }
    }
    return file;
}

TEST(JpegTest, DamagedAndForeignFilesFailCleanly) {
    const Bytes good = fileOf("q90_420");
    Bytes noMarker = good;
    noMarker[1] = 0x00;
    const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
    struct Case { const char* why; Bytes bytes; };
    const Case cases[] = {
        {"no start-of-image marker", noMarker},
        {"a PNG signature", png},
        {"huge stated size", withFrameSize(good, 65000, 65000)},
        {"zero width", withFrameSize(good, 0, 9)},
        {"text", Bytes(100, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Pooled<Jpeg> jpeg;
        ASSERT_TRUE(jpeg->create(3, 3)) << "a failed decode must drop the old picture";
        EXPECT_FALSE(decodeBytes(jpeg.get(), c.bytes));
        EXPECT_EQ(0, jpeg->getWidth());
        EXPECT_EQ(nullptr, jpeg->getBits());
    }
}

TEST(JpegTest, ThousandsOfDamagedFilesNeverCrashOrHang) {
    int decoded = 0, refused = 0;
    for (const auto& g : tests::image::kGoldenJpegs) {
        const Bytes file(g.bytes, g.bytes + g.size);
        for (uint32_t n = 0; n < 500; ++n) {
            Pooled<Jpeg> jpeg;
            if (decodeBytes(jpeg.get(), tests::image::damaged(file, n))) {
                ++decoded;
                EXPECT_GT(jpeg->getWidth(), 0);
                EXPECT_NE(nullptr, jpeg->getBits());
            } else {
                ++refused;
                EXPECT_EQ(0, jpeg->getWidth());
            }
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

TEST(JpegTest, AFullDiskFailsTheEncodeAndLeavesTheStore) {
    Pooled<Jpeg> jpeg;
    fillPattern(jpeg.get(), 300, 200, true);
    const Bytes before = storeOf(jpeg.get());
    for (uint32_t limit : {0u, 4096u}) {
        SCOPED_TRACE(limit);
        tests::image::FullDisk disk(limit);
        EXPECT_FALSE(jpeg->encode(&disk));
        EXPECT_EQ(before, storeOf(jpeg.get()));
    }
}

TEST(JpegTest, AStreamThatStallsOrEndsIsNeitherRetriedForeverNorClosed) {
    const Bytes file = fileOf("q75_444");
    struct Case { const char* why; Bytes bytes; bool stalling; bool decodes; };
    const Case cases[] = {
        {"stalls at once", Bytes(), true, false},
        {"stalls after the file", file, true, true},
        {"stalls in the scan", Bytes(file.begin(), file.end() - 30), true, true},
        {"ends after the file", file, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        tests::image::CountingInput in(c.bytes, c.stalling);
        Pooled<Jpeg> jpeg;
        EXPECT_EQ(c.decodes, jpeg->decode(&in));
        EXPECT_EQ(0, in.closes);
        EXPECT_LT(in.reads, 100u);
    }
}

TEST(JpegTest, TakenAgainFromItsPoolItHasTheDefaultQualityAndNoPicture) {
    Jpeg* jpeg = s::thread::Pool<Jpeg>::obtain();
    ASSERT_NE(nullptr, jpeg);
    jpeg->setQuality(30);
    ASSERT_TRUE(jpeg->create(4, 4));
    jpeg->releaseToPool();
    Pooled<Jpeg> again;
    EXPECT_EQ(75, again->getQuality());
    EXPECT_EQ(0, again->getWidth());
}

TEST(JpegTest, AnImageWithAlphaIsFlattenedOnTheBackgroundAndLeftAsItWas) {
    // half-transparent red, opaque blue, fully transparent
    Held image(tests::image::imageOf(3, 1, {0x80FF0000u, 0xFF0000FFu, 0x00123456u}, true));
    ASSERT_NE(nullptr, image.get());
    const std::vector<uint32_t> before = tests::image::pixelsOf(image.get());
    Held flat;
    {
        Pooled<Jpeg> jpeg(s::image::jpg::win::newJpegFromImage(image.get(), 60, 255, 255, 255));
        ASSERT_NE(nullptr, jpeg.get());
        EXPECT_EQ(60, jpeg->getQuality());
        flat.reset(jpeg->toBufferedImage(0, nullptr));
    }
    EXPECT_EQ(before, tests::image::pixelsOf(image.get()));
    ASSERT_NE(nullptr, flat.get());
    EXPECT_FALSE(flat->hasAlpha());
    const std::vector<uint32_t> got = tests::image::pixelsOf(flat.get());
    ASSERT_EQ(3u, got.size());
    EXPECT_EQ(0xFF0000FFu, got[1]);
    EXPECT_EQ(0xFFFFFFFFu, got[2]);
    const uint32_t g = got[0] >> 8 & 0xFF;  // red over white at half: green and blue near 127
    EXPECT_EQ(0xFFu, got[0] >> 16 & 0xFF);
    EXPECT_NEAR(127, static_cast<int>(g), 2);
}

}  // namespace
