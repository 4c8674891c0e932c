// tests/s/image/filters/sharpness/SharpnessTest.cpp
//
// The kernel each amount gives (single-precision results pinned, clamped amounts), the copy it
// filters, the in-place blur of a small row, and the flags and name the image relies on.
#include <gtest/gtest.h>

#include <vector>

#include "s/image/ImageTestSupport.h"
#include "s/image/filters/convolution/Convolution.h"
#include "s/image/filters/sharpness/Sharpness.h"
#include "support/Pooled.h"

namespace {

using s::image::filters::sharpness::newSharpness;
using s::image::filters::sharpness::Sharpness;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

uint32_t grey(uint32_t v) { return 0xFF000000u | v * 0x010101u; }

// Amount, then the kernel's corner, edge and centre weights and divisor. 70 and 35 differ
// from double arithmetic (-125, -62); -53 differs from integer arithmetic (53, 106).
TEST(SharpnessTest, AmountsGiveTheirKernels) {
    struct Case {
        int32_t amount, corner, edge, centre, divisor;
    } cases[] = {
        {100, 0, -180, 1100, 380}, {80, 0, -144, 1100, 524}, {70, 0, -126, 1100, 596},
        {35, 0, -63, 1100, 848},   {1, 0, -1, 1100, 1096},   {-100, 100, 200, 400, 1600},
        {-53, 52, 105, 400, 1028}, {-1, 1, 2, 400, 412},     {200, 0, -180, 1100, 380},
        {153, 0, -180, 1100, 380}, {-500, 100, 200, 400, 1600},
    };
    for (const Case& t : cases) {
        Pooled<Sharpness> filter(newSharpness(t.amount));
        ASSERT_NE(nullptr, filter->kernel()) << t.amount;
        const int32_t* w = filter->kernel()->weights();
        const int32_t expected[9] = {t.corner, t.edge, t.corner, t.edge, t.centre,
                                     t.edge,   t.corner, t.edge, t.corner};
        for (int k = 0; k < 9; ++k) EXPECT_EQ(expected[k], w[k]) << "amount " << t.amount << " weight " << k;
        EXPECT_EQ(t.divisor, filter->kernel()->divisor()) << t.amount;
    }
}

TEST(SharpnessTest, AmountZeroHasNoKernelAndCopiesUnchanged) {
    Pooled<Sharpness> filter(newSharpness(50));
    filter->setAmount(0);
    EXPECT_EQ(nullptr, filter->kernel());
    const std::vector<uint32_t> px = {grey(0), grey(250), 0x80102030u, grey(7), grey(90), grey(255)};
    Held source(imageOf(3, 2, px, true));
    Held out(filter->apply(source.get(), nullptr));
    ASSERT_NE(nullptr, out.get());
    EXPECT_NE(source.get(), out.get());
    EXPECT_EQ(px, pixelsOf(out.get()));
    EXPECT_TRUE(out->hasAlpha());
}

// Blur -100 over 0 160 0: the middle pixel reads its filtered left neighbour (40), the last
// reads the filtered middle (90). A buffered kernel would give 40 80 40.
TEST(SharpnessTest, BlurRunsInPlaceFromTheLeft) {
    Held source(imageOf(3, 1, {grey(0), grey(160), grey(0)}, false));
    Held target(s::image::win::newBufferedImage(7, 7));
    Pooled<Sharpness> filter(newSharpness(-100));
    EXPECT_EQ(target.get(), filter->apply(source.get(), target.get()));
    EXPECT_EQ((std::vector<uint32_t>{grey(40), grey(90), grey(22)}), pixelsOf(target.get()));
    EXPECT_FALSE(target->hasAlpha());
}

TEST(SharpnessTest, OnePixelIsUnchangedByEveryAmount) {
    Held source(imageOf(1, 1, {0xC0804020u}, true));
    for (int32_t amount : {-100, -37, 1, 70, 80, 100}) {
        Pooled<Sharpness> filter(newSharpness(amount));
        Held out(filter->apply(source.get(), nullptr));
        EXPECT_EQ(std::vector<uint32_t>{0xC0804020u}, pixelsOf(out.get())) << amount;
    }
}

// Sharpen 100 across an edge: the middle pixels overshoot (the second reads its filtered left
// neighbour), a flat end stays.
TEST(SharpnessTest, SharpeningRaisesAnEdgeInPlace) {
    Held source(imageOf(4, 1, {grey(100), grey(100), grey(200), grey(200)}, false));
    Pooled<Sharpness> filter(newSharpness(100));
    Held out(filter->apply(source.get(), nullptr));
    EXPECT_EQ((std::vector<uint32_t>{grey(100), grey(52), grey(255), grey(173)}), pixelsOf(out.get()));
}

TEST(SharpnessTest, NameFlagsAndNullSource) {
    Pooled<Sharpness> filter(newSharpness(80));
    Pooled<Sharpness> other(newSharpness(10));
    EXPECT_STREQ(L"Sharpness", filter->getName());
    EXPECT_EQ(filter->getName(), other->getName()) << "images compare filter names by pointer";
    EXPECT_TRUE(filter->isOwned());
    filter->setOwned(false);
    EXPECT_FALSE(filter->isOwned());
    filter->resetForReuse();
    EXPECT_TRUE(filter->isOwned());
    EXPECT_EQ(nullptr, filter->kernel());
    EXPECT_EQ(nullptr, filter->apply(nullptr, nullptr));
    EXPECT_STREQ(L"s_image_filters_sharpness_Sharpness", filter->classId());
}

}  // namespace
