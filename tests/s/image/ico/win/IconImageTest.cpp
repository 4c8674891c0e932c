// tests/s/image/ico/win/IconImageTest.cpp
//
// Icon images against one .ico file of four entries (GoldenIcons.h: 16 at 32 bits and 256 as
// PNG from ImageMagick, 32 at 24 and at 8 bits with masks), the writer in both forms, the
// masks and alpha rules, icon handles, and damaged entries that must fail cleanly (a table and
// a few thousand mutations).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "s/image/CodecTestSupport.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/ico/win/GoldenIcons.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"

namespace {

using s::image::ico::win::IconImage;
using tests::Pooled;
using tests::image::Bytes;
using tests::image::decodeBytes;
using tests::image::encodeBytes;
using tests::image::Held;

const Bytes kFile(tests::image::kGoldenIco, tests::image::kGoldenIco + sizeof tests::image::kGoldenIco);

uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
void putLe32(Bytes* b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) (*b)[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

// Entry k's bytes, as the directory states them.
Bytes entry(size_t k) {
    const size_t at = 6 + 16 * k;
    const uint32_t size = le32(kFile, at + 8), offset = le32(kFile, at + 12);
    return Bytes(kFile.begin() + offset, kFile.begin() + offset + size);
}

// The pictures the generator gave ImageMagick (R, G, B, A).
uint32_t pictureOf(int32_t x, int32_t y, int32_t n) {
    const uint32_t a = (x + y) % 5 == 0 ? 0 : (x * y) % 3 ? 255 : (x * 16 + y * 8) % 256;
    const uint32_t r = x * 255 / (n - 1), g = y * 255 / (n - 1), b = ((x + y) * 7) % 256;
    return a << 24 | r << 16 | g << 8 | b;
}

uint32_t expectedPixel(const tests::image::GoldenIconEntry& e, int32_t x, int32_t y) {
    if (!e.rgba) return pictureOf(x, y, e.size);
    const uint8_t* p = e.rgba + 4 * (y * e.size + x);
    return static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
}

// Alpha always; the colour only where something shows.
void expectPicture(const tests::image::GoldenIconEntry& e, const s::image::win::BufferedImage* image) {
    ASSERT_EQ(e.size, image->getWidth());
    ASSERT_EQ(e.size, image->getHeight());
    int wrong = 0;
    for (int32_t y = 0; y < e.size; ++y) {
        for (int32_t x = 0; x < e.size; ++x) {
            const uint32_t want = expectedPixel(e, x, y), got = image->getRow(y)[x];
            const bool same = want >> 24 == got >> 24 && (want >> 24 == 0 || want == got);
            if (!same && ++wrong < 4) ADD_FAILURE() << x << "," << y << ": " << std::hex << got << " not " << want;
        }
    }
    EXPECT_EQ(0, wrong);
}

TEST(IconImageTest, ReadsEveryEntryOfAFileWithFourSizesAndDepths) {
    const size_t count = sizeof tests::image::kGoldenIconEntries / sizeof tests::image::kGoldenIconEntries[0];
    ASSERT_EQ(4u, count);
    for (size_t k = 0; k < count; ++k) {
        const auto& e = tests::image::kGoldenIconEntries[k];
        SCOPED_TRACE(e.why);
        Pooled<IconImage> icon;
        ASSERT_TRUE(decodeBytes(icon.get(), entry(k)));
        EXPECT_EQ(e.size, icon->getWidth());
        EXPECT_EQ(e.bits, icon->getBitDepth());
        Held image(icon->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, image.get());
        EXPECT_TRUE(image->hasAlpha());
        expectPicture(e, image.get());
        for (int32_t y = 0; y < e.size; ++y) {
            for (int32_t x = 0; x < e.size; ++x) {
                if ((expectedPixel(e, x, y) >> 24 == 0) != icon->isMasked(x, y)) {
                    ADD_FAILURE() << "mask at " << x << "," << y;
                    y = e.size;
                    break;
                }
            }
        }
    }
}

TEST(IconImageTest, AWholeIconFileDecodesAsItsFirstEntry) {
    Pooled<IconImage> icon;
    ASSERT_TRUE(decodeBytes(icon.get(), kFile));
    EXPECT_EQ(16, icon->getWidth());
    Held image(icon->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    expectPicture(tests::image::kGoldenIconEntries[0], image.get());
}

TEST(IconImageTest, WritesSmallEntriesAsTheDibTheyWereAndLargeOnesAsPng) {
    Pooled<IconImage> small;
    ASSERT_TRUE(decodeBytes(small.get(), entry(2)));  // 32 at 24 bits
    EXPECT_EQ(entry(2), encodeBytes(small.get()));

    Pooled<IconImage> large;
    ASSERT_TRUE(decodeBytes(large.get(), entry(1)));  // 256 as PNG
    const Bytes file = encodeBytes(large.get());
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(0, std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8));
    Pooled<IconImage> back;
    ASSERT_TRUE(decodeBytes(back.get(), file));
    Held image(back->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    expectPicture(tests::image::kGoldenIconEntries[1], image.get());
}

TEST(IconImageTest, MaskStridesAreWholeWordsOfBits) {
    struct Case { int32_t size, stride; };
    const Case cases[] = {{1, 4}, {16, 4}, {32, 4}, {33, 8}, {48, 8}, {256, 32}};
    for (const Case& c : cases) {
        Pooled<IconImage> icon;
        ASSERT_TRUE(icon->create(c.size, c.size, 32));
        EXPECT_EQ(c.stride, icon->getMaskStride()) << c.size;
        EXPECT_FALSE(icon->isMasked(c.size - 1, c.size - 1)) << "a new mask is clear";
    }
}

TEST(IconImageTest, MaskedPixelsOfAPaletteEntryBecomeTransparent) {
    Pooled<IconImage> icon;
    ASSERT_TRUE(icon->create(16, 16, 4));
    icon->getMaskRow(3)[0] = 0x81;  // pixels 0 and 7 of row 3
    Held image(icon->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    EXPECT_TRUE(image->hasAlpha());
    for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(x == 0 || x == 7 ? 0u : 255u, image->getRow(3)[x] >> 24) << x;
    EXPECT_EQ(255u, image->getRow(4)[0] >> 24);
}

TEST(IconImageTest, AThirtyTwoBitEntryWithoutAlphaIsDrawnByItsMask) {
    Bytes bytes = entry(0);  // 16 at 32 bits: header, colour bits, mask
    const uint32_t colour = 16 * 16 * 4;
    for (uint32_t k = 40 + 3; k < 40 + colour; k += 4) bytes[k] = 0;
    for (uint32_t k = 40 + colour; k < bytes.size(); ++k) bytes[k] = 0;
    bytes[40 + colour + 15 * 4] = 0x80;  // the mask's last row in the file is the top one
    Pooled<IconImage> icon;
    ASSERT_TRUE(decodeBytes(icon.get(), bytes));
    Held image(icon->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    EXPECT_TRUE(image->hasAlpha());
    EXPECT_EQ(0u, image->getRow(0)[0] >> 24);
    EXPECT_EQ(255u, image->getRow(0)[1] >> 24);
    EXPECT_EQ(255u, image->getRow(5)[0] >> 24);
}

TEST(IconImageTest, AtEightBitsKeptTransparencyTakesTheLastIndexAndTheMask) {
    std::vector<uint32_t> pixels(32 * 32, 0xFF204080u);
    pixels[0] = 0x1FFFFFFFu;   // alpha 31: transparent
    pixels[1] = 0x20FFFFFFu;   // alpha 32: opaque
    pixels[33] = 0x00000000u;  // fully transparent
    Held image(tests::image::imageOf(32, 32, pixels, true));
    ASSERT_NE(nullptr, image.get());
    Pooled<IconImage> icon;
    ASSERT_TRUE(icon->fromImageWithSettings(image.get(), 8, true, 255, 255, 255));
    EXPECT_EQ(8, icon->getBitDepth());
    EXPECT_EQ(255, icon->getRow(0)[0]);
    EXPECT_TRUE(icon->isMasked(0, 0));
    EXPECT_NE(255, icon->getRow(0)[1]);
    EXPECT_FALSE(icon->isMasked(1, 0));
    EXPECT_TRUE(icon->isMasked(1, 1));
    EXPECT_FALSE(icon->isMasked(2, 0));
    EXPECT_EQ(0xFF204080u, image->getRow(0)[2]) << "the caller's image is unchanged";
    EXPECT_EQ(0x1FFFFFFFu, image->getRow(0)[0]);
}

TEST(IconImageTest, TwentyFourBitsFromAnImageKeepItsColours) {
    Held image(tests::image::imageOf(4, 2, tests::image::distinctPixels(4, 2), false));
    ASSERT_NE(nullptr, image.get());
    Pooled<IconImage> icon;
    ASSERT_TRUE(icon->fromImageWithSettings(image.get(), 24, true, 0, 0, 0));
    Held back(icon->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, back.get());
    EXPECT_EQ(tests::image::distinctPixels(4, 2), tests::image::pixelsOf(back.get()));
    EXPECT_FALSE(back->hasAlpha());
}

// The entry with an advisory colour table of count entries behind its header (colours-used
// set), as a BMP above 8 bits may carry one.
Bytes withColourTable(const Bytes& entry, uint32_t count) {
    Bytes b(entry.begin(), entry.begin() + 40);
    putLe32(&b, 32, count);
    for (uint32_t k = 0; k < count; ++k) {
        const uint8_t quad[4] = {static_cast<uint8_t>(0x11 * k), 0x5A, static_cast<uint8_t>(0xF0 - k), 0};
        b.insert(b.end(), quad, quad + 4);
    }
    b.insert(b.end(), entry.begin() + 40, entry.end());
    return b;
}

// A 16-bit entry (no golden one: ImageMagick writes none): distinct colours and a masked corner.
Bytes sixteenBitEntry() {
    Held image(tests::image::imageOf(5, 3, tests::image::distinctPixels(5, 3), true));
    image->getRow(0)[0] &= 0x00FFFFFFu;
    Pooled<IconImage> icon;
    EXPECT_TRUE(icon->fromImageWithSettings(image.get(), 16, true, 0, 0, 0));
    return encodeBytes(icon.get());
}

TEST(IconImageTest, AColourTableAboveEightBitsIsSkippedAsInABitmap) {
    struct Case { const char* why; Bytes entry; uint32_t count; };
    const Case cases[] = {
        {"32 x 32 at 24 bits, 7 colours", entry(2), 7},
        {"16 x 16 at 32 bits, 256 colours", entry(0), 256},
        {"5 x 3 at 16 bits, 3 colours", sixteenBitEntry(), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Pooled<IconImage> plain, tabled;
        ASSERT_TRUE(decodeBytes(plain.get(), c.entry));
        ASSERT_TRUE(decodeBytes(tabled.get(), withColourTable(c.entry, c.count)));
        Held want(plain->toBufferedImage(0, nullptr)), got(tabled->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, want.get());
        ASSERT_NE(nullptr, got.get());
        EXPECT_EQ(tests::image::pixelsOf(want.get()), tests::image::pixelsOf(got.get()));
        EXPECT_EQ(want->hasAlpha(), got->hasAlpha());
        EXPECT_EQ(plain->isMasked(0, 0), tabled->isMasked(0, 0)) << "the mask follows the bits";
    }
    Bytes cut = withColourTable(entry(2), 7);
    putLe32(&cut, 32, 1u << 28);  // a table far beyond the entry's end
    Pooled<IconImage> refused;
    EXPECT_FALSE(decodeBytes(refused.get(), cut));
    EXPECT_EQ(nullptr, refused->getBits());
}

TEST(IconImageTest, MakesIconHandlesOfTheirSize) {
    for (size_t k : {0u, 1u, 2u, 3u}) {
        SCOPED_TRACE(k);
        Pooled<IconImage> icon;
        ASSERT_TRUE(decodeBytes(icon.get(), entry(k)));
        HICON handle = icon->toIcon();
        ASSERT_NE(nullptr, handle);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(handle, &info));
        BITMAP described = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof described, &described);
        EXPECT_EQ(icon->getWidth(), described.bmWidth);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(handle);
    }
}

TEST(IconImageTest, DamagedEntriesFailCleanly) {
    const Bytes good = entry(3);  // 32 at 8 bits
    auto with = [&good](size_t at, uint32_t value) {
        Bytes b = good;
        putLe32(&b, at, value);
        return b;
    };
    Bytes planes = good;
    planes[12] = 2;
    Bytes badPng = entry(1);
    for (size_t k = 40; k < badPng.size(); ++k) badPng[k] ^= 0x33;
    Bytes directory = kFile;
    putLe32(&directory, 6 + 12, static_cast<uint32_t>(kFile.size()) - 10);  // first entry beyond the end
    struct Case { const char* why; Bytes bytes; };
    const Case cases[] = {
        {"empty", Bytes()},
        {"short header", Bytes(good.begin(), good.begin() + 20)},
        {"header size 12", with(0, 12)},
        {"header size 0", with(0, 0)},
        {"header larger than the entry", with(0, 5000)},
        {"1000 palette entries", with(32, 1000)},
        {"two planes", planes},
        {"zero width", with(4, 0)},
        {"negative height", with(8, static_cast<uint32_t>(-64))},
        {"huge size", with(4, 0x7FFFFFFF)},
        {"colour bits cut", Bytes(good.begin(), good.begin() + 40 + 1024 + 100)},
        {"compressed", with(16, 1)},
        {"PNG entry scrambled", badPng},
        {"directory pointing past the file", directory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Pooled<IconImage> icon;
        EXPECT_FALSE(decodeBytes(icon.get(), c.bytes));
        EXPECT_EQ(0, icon->getWidth());
        EXPECT_EQ(nullptr, icon->getBits());
        EXPECT_EQ(nullptr, icon->getMaskBits());
    }
}

TEST(IconImageTest, AMaskCutShortCountsAsOpaque) {
    const Bytes good = entry(3);
    Pooled<IconImage> icon;
    ASSERT_TRUE(decodeBytes(icon.get(), Bytes(good.begin(), good.end() - 4 * 16)));
    EXPECT_FALSE(icon->isMasked(0, 0)) << "the top rows come last in the file";
    EXPECT_TRUE(icon->isMasked(0, 28)) << "the bottom rows are in the file: (0, 28) is masked";
}

TEST(IconImageTest, ThousandsOfDamagedEntriesNeverCrashOrHang) {
    int decoded = 0, refused = 0;
    for (size_t k = 0; k < 4; ++k) {
        const Bytes file = entry(k);
        for (uint32_t n = 0; n < (k == 1 ? 300u : 700u); ++n) {
            Pooled<IconImage> icon;
            if (decodeBytes(icon.get(), tests::image::damaged(file, n))) {
                ++decoded;
                Held image(icon->toBufferedImage(0, nullptr));
                EXPECT_NE(nullptr, image.get());
            } else {
                ++refused;
                EXPECT_EQ(nullptr, icon->getBits());
            }
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
