// tests/s/image/win/BufferedImageTest.cpp
//
// The image buffer: storage on the bottom-up DIB, growth, copies, pixel operations and the
// blend of drawImage against values worked out by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace {

using s::image::win::BufferedImage;
using s::image::win::newBufferedImage;
using tests::image::distinctPixels;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

TEST(BufferedImageTest, RowsLieBottomUpInTheStore) {
    Held image(newBufferedImage(3, 4));
    ASSERT_NE(nullptr, image.get());
    EXPECT_STREQ(L"s_image_win_BufferedImage", image->classId());
    EXPECT_EQ(3, image->getWidth());
    EXPECT_EQ(4, image->getHeight());
    EXPECT_EQ(12, image->getStride());
    EXPECT_EQ(12, image->getRowBytes());
    EXPECT_NE(nullptr, image->getBitmapHandle());
    // The DIB's first bytes are the bottom row.
    EXPECT_EQ(reinterpret_cast<uint8_t*>(image->getRow(3)), image->getBits());
    EXPECT_EQ(reinterpret_cast<uint8_t*>(image->getRow(0)), image->getBits() + 3 * 12);
    DIBSECTION ds = {};
    ASSERT_EQ(static_cast<int>(sizeof ds), GetObjectW(image->getBitmapHandle(), sizeof ds, &ds));
    EXPECT_EQ(4, ds.dsBmih.biHeight) << "bottom-up";
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
}

TEST(BufferedImageTest, SetSizeKeepsRowsInTheUsedCorner) {
    Held image(newBufferedImage(4, 4));
    ASSERT_NE(nullptr, image.get());
    image->getRow(0)[0] = 0xFF112233u;
    uint32_t* top = image->getRow(0);
    image->setSize(2, 2);
    EXPECT_EQ(top, image->getRow(0)) << "row 0 stays the top row of the store";
    EXPECT_EQ(0xFF112233u, image->getRow(0)[0]);
    EXPECT_EQ(8, image->getRowBytes());
    EXPECT_EQ(4, image->getCapacityWidth());
    image->setSize(5, 1);
    EXPECT_EQ(0, image->getWidth()) << "beyond the capacity: empty, never a row outside the store";
}

TEST(BufferedImageTest, EnsureSizeGrowsByFactorsOfOnePointTwo) {
    struct Row {
        int32_t capW, capH, askW, askH, wantW, wantH;
        const char* why;
    } rows[] = {
        {0, 0, 100, 50, 100, 50, "an empty image reserves exactly the request"},
        {100, 50, 101, 50, 120, 50, "one step of 1.2"},
        {100, 50, 150, 50, 172, 50, "100 x 1.2^3 = 172.8, truncated"},
        {100, 50, 80, 40, 100, 50, "the capacity holds it: nothing changes"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held image(s::thread::Pool<BufferedImage>::obtain());
        ASSERT_NE(nullptr, image.get());
        if (r.capW) image->create(r.capW, r.capH);
        image->ensureSize(r.askW, r.askH);
        EXPECT_EQ(r.wantW, image->getCapacityWidth());
        EXPECT_EQ(r.wantH, image->getCapacityHeight());
        EXPECT_EQ(r.capW, image->getWidth()) << "the logical size is not changed";
    }
}

TEST(BufferedImageTest, ReserveKeepsThePixels) {
    const std::vector<uint32_t> px = distinctPixels(3, 2);
    Held image(imageOf(3, 2, px, false));
    ASSERT_NE(nullptr, image.get());
    image->reserve(10, 7);
    EXPECT_EQ(10, image->getCapacityWidth());
    EXPECT_EQ(3, image->getWidth());
    EXPECT_EQ(2, image->getHeight());
    EXPECT_EQ(px, pixelsOf(image.get()));
}

TEST(BufferedImageTest, ReserveNarrowerCopiesWhatFitsIntoEachRow) {
    const std::vector<uint32_t> px = distinctPixels(10, 2);
    Held image(imageOf(10, 2, px, false));
    ASSERT_NE(nullptr, image.get());
    image->reserve(4, 5);  // taller but narrower than the picture
    ASSERT_EQ(4, image->getCapacityWidth());
    ASSERT_EQ(5, image->getCapacityHeight());
    image->setSize(4, 5);
    const std::vector<uint32_t> zero(4, 0u);
    const std::vector<uint32_t> want[5] = {{px.begin(), px.begin() + 4}, {px.begin() + 10, px.begin() + 14},
                                           zero, zero, zero};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(want[i], std::vector<uint32_t>(image->getRow(i), image->getRow(i) + 4))
            << "row " << i << ": the left of old row " << i << ", nothing of its neighbour";
    }
}

TEST(BufferedImageTest, AStoreThatCannotBeMadeGivesAnEmptyImage) {
    struct Row {
        int32_t w, h;
        const char* why;
    } rows[] = {
        {0, 5, "zero width"}, {5, 0, "zero height"}, {-3, 4, "negative width"},
        {0x8000, 0x8000, "w x h x 4 beyond 31 bits"}, {0x7FFFFFFF, 2, "w x 4 overflows 32 bits"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held image(newBufferedImage(r.w, r.h));
        ASSERT_NE(nullptr, image.get());
        EXPECT_EQ(0, image->getWidth());
        EXPECT_EQ(0, image->getHeight());
        EXPECT_EQ(nullptr, image->getBits());
        EXPECT_EQ(nullptr, image->getRow(0));
        image->fill(255, 1, 2, 3);  // no store: nothing happens, nothing is written
        image->makeOpaque();
        image->flattenOnWhite();
        Held copy(image->copy(nullptr));
    }
}

TEST(BufferedImageTest, GeometricCopies) {
    // 3 x 2:  a b c
    //         d e f
    const uint32_t a = 0xFF0000A0, b = 0xFF0000B0, c = 0xFF0000C0, d = 0xFF0000D0, e = 0xFF0000E0,
                   f = 0xFF0000F0;
    Held image(imageOf(3, 2, {a, b, c, d, e, f}, true));
    ASSERT_NE(nullptr, image.get());
    struct Row {
        BufferedImage* (BufferedImage::*op)(BufferedImage*) const;
        int32_t w, h;
        std::vector<uint32_t> want;
        const char* why;
    } rows[] = {
        {&BufferedImage::copy, 3, 2, {a, b, c, d, e, f}, "copy"},
        {&BufferedImage::rotatedRight, 2, 3, {d, a, e, b, f, c}, "a quarter turn clockwise"},
        {&BufferedImage::rotated180, 3, 2, {f, e, d, c, b, a}, "half a turn"},
        {&BufferedImage::rotatedLeft, 2, 3, {c, f, b, e, a, d}, "a quarter turn anticlockwise"},
        {&BufferedImage::mirrored, 3, 2, {c, b, a, f, e, d}, "left and right swapped"},
        {&BufferedImage::flipped, 3, 2, {d, e, f, a, b, c}, "top and bottom swapped"},
    };
    Held given(newBufferedImage(9, 9));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held made(((*image.get()).*r.op)(nullptr));
        ASSERT_NE(nullptr, made.get());
        EXPECT_EQ(r.w, made->getWidth());
        EXPECT_EQ(r.h, made->getHeight());
        EXPECT_EQ(r.want, pixelsOf(made.get()));
        EXPECT_TRUE(made->hasAlpha()) << "the alpha flag is copied";
        EXPECT_EQ(given.get(), ((*image.get()).*r.op)(given.get())) << "into a given target";
        EXPECT_EQ(r.want, pixelsOf(given.get()));
    }
}

TEST(BufferedImageTest, PixelOperations) {
    const uint32_t key = 0xFF102030;
    struct Row {
        void (*op)(BufferedImage*);
        std::vector<uint32_t> in;
        bool alphaIn;
        std::vector<uint32_t> want;
        bool alphaWant;
        const char* why;
    } rows[] = {
        {[](BufferedImage* i) { i->fill(128, 1, 2, 3); }, {0, 0}, false, {0x80010203, 0x80010203}, true,
         "fill: alpha below 255 sets the flag"},
        {[](BufferedImage* i) { i->makeOpaque(); }, {0x00102030, 0x7F000001}, true,
         {0xFF102030, 0xFF000001}, false, "makeOpaque"},
        {[](BufferedImage* i) { i->colorToTransparent(0x10, 0x20, 0x30); }, {key, 0x00405060}, false,
         {0x00102030, 0xFF405060}, true, "key colour transparent, the others opaque"},
        {[](BufferedImage* i) { i->colorToTransparent(1, 1, 1); }, {key, key}, false, {key, key}, false,
         "no match leaves the flag as it was"},
        {[](BufferedImage* i) { i->fillTransparent(9, 8, 7); }, {0x00FFFFFF, 0x10FFFFFF}, true,
         {0x00090807, 0x10FFFFFF}, true, "only alpha 0 takes the colour, staying transparent"},
        {[](BufferedImage* i) { i->fillTransparent(9, 8, 7); }, {0x00FFFFFF, key}, false,
         {0x00FFFFFF, key}, false, "without the flag nothing changes"},
        {[](BufferedImage* i) { i->thresholdAlpha(96); }, {0x5F000001, 0x60000001}, false,
         {0x00000001, 0xFF000001}, true, "below the level 0, else 255"},
        {[](BufferedImage* i) { i->flattenOnWhite(); }, {0x00123456, 0x80FF0000}, true,
         // (255 x 129 + 255 x 128) >> 8 = 255; (0 x 129 + 255 x 128) >> 8 = 127
         {0xFFFFFFFF, 0xFFFF7F7F}, false, "flattened on white"},
        {[](BufferedImage* i) { i->detectAlpha(); }, {key, 0xFE000000}, false, {key, 0xFE000000}, true,
         "one pixel below 255 is enough"},
        {[](BufferedImage* i) { i->detectAlpha(); }, {key, key}, true, {key, key}, false,
         "all opaque clears the flag"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held image(imageOf(2, 1, r.in, r.alphaIn));
        ASSERT_NE(nullptr, image.get());
        r.op(image.get());
        EXPECT_EQ(r.want, pixelsOf(image.get()));
        EXPECT_EQ(r.alphaWant, image->hasAlpha());
    }
}

TEST(BufferedImageTest, MaskEqualPixels) {
    Held image(imageOf(3, 1, {0xFF010203, 0xFF040506, 0xFF070809}, false));
    Held other(imageOf(3, 1, {0x00010203, 0xFF040507, 0xFF070809}, false));
    image->maskEqualPixels(other.get());
    EXPECT_EQ((std::vector<uint32_t>{0x00010203, 0xFF040506, 0x00070809}), pixelsOf(image.get()))
        << "equal colours (alpha aside) become transparent";
    EXPECT_TRUE(image->hasAlpha());
}

// The blend: A = sa + da - ((sa + 1) x da >> 8), F = sa x 256 / A, c = d + ((s - d) x F >> 8).
TEST(BufferedImageTest, DrawImageBlendsAgainstHandValues) {
    struct Row {
        uint32_t source, target;
        bool targetAlpha;
        uint32_t want;
        const char* why;
    } rows[] = {
        {0x80FF0000, 0xFF0000FF, true, 0xFF7F007F,
         "128 over 255: A = 383 - (129 x 255 >> 8) = 255, F = 128; red 255 x 128 >> 8 = 127, "
         "blue 255 + (-255 x 128 >> 8) = 255 - 128 = 127"},
        {0x80FF8040, 0xFF204060, true, 0xFF8F6050, "every channel: 0x20 + (0xDF x 128 >> 8) = 0x8F"},
        {0x00FFFFFF, 0xFF123456, true, 0xFF123456, "alpha 0 leaves the target"},
        {0xFFABCDEF, 0x80123456, true, 0xFFABCDEF, "alpha 255 copies the source"},
        {0x40FFFFFF, 0x00123456, true, 0x40FFFFFF, "a transparent target takes the source"},
        {0x80FF0000, 0x800000FF, true, 0xC0A90055,
         "128 over 128: A = 256 - 64 = 192, F = 170; red 43350 >> 8 = 169, blue 255 - 170 = 85"},
        {0x80FF0000, 0x000000FF, false, 0xFF7F007F, "a target without the flag counts as opaque"},
        {0x80000000, 0xFF0000FF, true, 0xFF00007F, "negative differences shift arithmetically (floor)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held target(imageOf(1, 1, {r.target}, r.targetAlpha));
        Held source(imageOf(1, 1, {r.source}, true));
        target->drawImage(0, 0, source.get(), 0, 0);
        EXPECT_EQ(r.want, target->getRow(0)[0]) << std::hex << target->getRow(0)[0];
        EXPECT_EQ(r.targetAlpha, target->hasAlpha()) << "the target's flag is not changed";
    }
}

TEST(BufferedImageTest, DrawImageClipsEveryOffset) {
    const std::vector<uint32_t> src = distinctPixels(8, 1);
    struct Row {
        int32_t x, sourceX;
        std::vector<int> want;  // the source column in each target column, -1: untouched
        const char* why;
    } rows[] = {
        {0, 0, {0, 1, 2, 3}, "plain"},
        {-5, 0, {5, 6, 7, -1}, "x = -5 starts at source column 5"},
        {0, -2, {-1, -1, 0, 1}, "a negative source x shifts the target (read before the row before)"},
        {2, 6, {-1, -1, 6, 7}, "clipped at both ends"},
        {0, 9, {-1, -1, -1, -1}, "nothing overlaps"},
        {-20, 0, {-1, -1, -1, -1}, "entirely left"},
        {INT32_MIN, INT32_MIN, {0, 1, 2, 3}, "extreme offsets that cancel out, without wrapping"},
        {2, INT32_MIN, {-1, -1, -1, -1}, "an extreme source offset does not wrap"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held source(imageOf(8, 1, src, false));
        Held target(imageOf(4, 1, {1, 1, 1, 1}, false));
        target->drawImage(r.x, 0, source.get(), r.sourceX, 0);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(r.want[j] < 0 ? 1u : src[r.want[j]], target->getRow(0)[j]) << "column " << j;
        }
    }
}

TEST(BufferedImageTest, DrawToBlitsTheRawBytes) {
    Held image(imageOf(2, 1, {0x00112233, 0xFF445566}, true));
    Held screen(newBufferedImage(4, 4));
    screen->fill(255, 0, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, screen->getBitmapHandle());
    EXPECT_TRUE(image->drawTo(dc, 1, 2, 10, 10)) << "clipped to the image's own size";
    SelectObject(dc, old);
    DeleteDC(dc);
    GdiFlush();
    EXPECT_EQ(0x112233u, screen->getRow(2)[1] & 0xFFFFFF) << "no blending: colour of a transparent pixel";
    EXPECT_EQ(0x445566u, screen->getRow(2)[2] & 0xFFFFFF);
    EXPECT_EQ(0u, screen->getRow(2)[3] & 0xFFFFFF);
    EXPECT_EQ(0u, screen->getRow(1)[1] & 0xFFFFFF);
}

TEST(BufferedImageTest, ResetForgetsTheStoreAndTheFlag) {
    BufferedImage* image = newBufferedImage(5, 5);
    ASSERT_NE(nullptr, image);
    image->fill(0, 0, 0, 0);
    image->resetForReuse();
    EXPECT_EQ(0, image->getWidth());
    EXPECT_EQ(0, image->getCapacityWidth());
    EXPECT_EQ(nullptr, image->getBitmapHandle());
    EXPECT_FALSE(image->hasAlpha());
    image->releaseToPool();
}

}  // namespace
