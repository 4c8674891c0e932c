// tests/s/image/filters/scale/ScaleImageTest.cpp
//
// The two-pass rescale: the worked enlargement and halving, pictures checked against values
// from make_expected.py, directions that keep their length, orientation, stores larger than
// their pictures, and the empty results of zero or impossible sizes.
#include <gtest/gtest.h>

#include <vector>

#include "s/image/ImageTestSupport.h"
#include "s/image/filters/scale/ScaleImage.h"

namespace {

using s::image::filters::scale::scaleImage;
using s::image::win::newBufferedImage;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

uint32_t grey(uint32_t v) { return 0xFF000000u | v * 0x010101u; }

// The pixels make_expected.py rescales: pixel k of the source, rows from the top.
std::vector<uint32_t> source(int32_t width, int32_t height) {
    std::vector<uint32_t> v;
    for (int32_t k = 0; k < width * height; ++k) v.push_back(0xFF000000u | ((k * 0x3B2A19u + 0x102030u) & 0xFFFFFF));
    return v;
}

std::vector<uint32_t> scaled(const Held& from, int32_t width, int32_t height) {
    Held target(newBufferedImage(1, 1));
    EXPECT_TRUE(scaleImage(from->getWidth(), from->getHeight(), from.get(), width, height, target.get()));
    EXPECT_EQ(width, target->getWidth());
    EXPECT_EQ(height, target->getHeight());
    return pixelsOf(target.get());
}

TEST(ScaleImageTest, EnlargingBlackWhiteGivesTheWorkedValues) {
    Held row(imageOf(2, 1, {grey(0), grey(255)}, false));
    EXPECT_EQ((std::vector<uint32_t>{grey(0), grey(128), grey(255), grey(255)}), scaled(row, 4, 1));
    Held column(imageOf(1, 2, {grey(0), grey(255)}, false));
    EXPECT_EQ((std::vector<uint32_t>{grey(0), grey(128), grey(255), grey(255)}), scaled(column, 1, 4))
        << "the top row stays on top";
}

TEST(ScaleImageTest, HalvingAveragesNeighboursWithRenormalisedEdges) {
    Held row(imageOf(4, 1, {grey(0), grey(0x40), grey(0x80), grey(0xFF)}, false));
    EXPECT_EQ((std::vector<uint32_t>{grey(21), grey(144)}), scaled(row, 2, 1));
}

TEST(ScaleImageTest, PicturesMatchTheSeparateReading) {
    struct Case {
        int32_t sw, sh, tw, th;
        std::vector<uint32_t> out;
    } cases[] = {
#include "ScaleExpected.inc"
    };
    for (const Case& t : cases) {
        Held from(imageOf(t.sw, t.sh, source(t.sw, t.sh), false));
        EXPECT_EQ(t.out, scaled(from, t.tw, t.th)) << t.sw << "x" << t.sh << " to " << t.tw << "x" << t.th;
    }
}

TEST(ScaleImageTest, LengthsThatStayAreCopied) {
    const std::vector<uint32_t> px = source(3, 4);
    Held from(imageOf(3, 4, px, true));
    EXPECT_EQ(px, scaled(from, 3, 4));
    const std::vector<uint32_t> wide = scaled(from, 5, 4);
    const std::vector<uint32_t> tall = scaled(from, 3, 7);
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(px[i * 3], wide[i * 5]) << "first column of row " << i;
        EXPECT_EQ(px[i * 3 + 2], wide[i * 5 + 4]) << "last column of row " << i;
    }
    for (int32_t j = 0; j < 3; ++j) EXPECT_EQ(px[j], tall[j]) << "top row, column " << j;
}

TEST(ScaleImageTest, AlphaFlagAndLargerStoresOfSourceAndTarget) {
    Held from(newBufferedImage(9, 9));
    from->setSize(2, 1);
    from->getRow(0)[0] = 0x00000000u;
    from->getRow(0)[1] = 0xFFFFFFFFu;
    from->setHasAlpha(true);
    Held target(newBufferedImage(30, 30));
    ASSERT_TRUE(scaleImage(2, 1, from.get(), 4, 1, target.get()));
    EXPECT_TRUE(target->hasAlpha());
    EXPECT_EQ((std::vector<uint32_t>{0, 0x80808080u, 0xFFFFFFFFu, 0xFFFFFFFFu}), pixelsOf(target.get()));
}

TEST(ScaleImageTest, ZeroOrImpossibleSizesGiveAnEmptyTarget) {
    Held from(imageOf(2, 2, source(2, 2), false));
    struct Case {
        int32_t sw, sh, tw, th;
    } cases[] = {{0, 2, 4, 4}, {2, 0, 4, 4}, {2, 2, 0, 4}, {2, 2, 4, 0}, {-1, 2, 4, 4},
                 {3, 2, 4, 4}, {2, 3, 4, 4}, {2, 2, 200000, 200000}};
    for (const Case& t : cases) {
        Held target(newBufferedImage(5, 5));
        EXPECT_FALSE(scaleImage(t.sw, t.sh, from.get(), t.tw, t.th, target.get()))
            << t.sw << "x" << t.sh << " to " << t.tw << "x" << t.th;
        EXPECT_EQ(0, target->getWidth());
        EXPECT_EQ(0, target->getHeight());
    }
    Held target(newBufferedImage(5, 5));
    EXPECT_FALSE(scaleImage(2, 2, nullptr, 4, 4, target.get()));
    EXPECT_EQ(0, target->getWidth());
    EXPECT_FALSE(scaleImage(2, 2, from.get(), 4, 4, nullptr));
    EXPECT_FALSE(scaleImage(2, 2, from.get(), 4, 4, from.get())) << "in place is refused";
}

}  // namespace
