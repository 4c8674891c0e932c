// tests/s/image/filters/reduction/QuantizerTest.cpp
//
// The octree quantizer: exact palettes for few colours, the grouping below 16 colours, the
// transparent index, and the error on a gradient and a photo-like picture against a fixed
// 3-3-2 palette.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "s/image/ImageTestSupport.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "support/Pooled.h"

namespace {

using s::image::filters::reduction::Quantizer;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;

uint32_t entry(const Quantizer* q, uint32_t k) {
    const uint8_t* e = q->palette() + 4 * k;
    return static_cast<uint32_t>(e[2]) << 16 | e[1] << 8 | e[0];
}

// The octree's order: red, green and blue bits interleaved from the top bit down.
uint32_t treeKey(uint32_t rgb) {
    uint32_t key = 0;
    for (int bit = 7; bit >= 0; --bit) {
        key = key << 3 | (rgb >> (16 + bit) & 1) << 2 | (rgb >> (8 + bit) & 1) << 1 | (rgb >> bit & 1);
    }
    return key;
}

std::vector<uint8_t> mapped(const Quantizer* q, const tests::image::Held& image, int32_t depth) {
    std::vector<uint8_t> out(image->getWidth() * image->getHeight(), 0xAB);
    for (int32_t i = 0; i < image->getHeight(); ++i) {
        q->mapToPalette(image->getRow(i), image->getWidth(), out.data() + i * image->getWidth(), depth);
    }
    return out;
}

TEST(QuantizerTest, FewColoursComeOutExactlyInTreeOrder) {
    std::vector<uint32_t> colours = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080,
                                     0x7F7F7F, 0x010101, 0xFFFFFF, 0x000000, 0xC08040};
    std::vector<uint32_t> px;
    for (int k = 0; k < 40; ++k) px.push_back(0xFF000000u | colours[(k * 7) % 10]);
    Held image(imageOf(8, 5, px, false));
    Pooled<Quantizer> q;
    q->buildOctree(image.get(), 255);
    EXPECT_EQ(10u, q->leafCount());
    std::vector<uint32_t> order = colours;
    std::sort(order.begin(), order.end(), [](uint32_t a, uint32_t b) { return treeKey(a) < treeKey(b); });
    for (uint32_t k = 0; k < 10; ++k) EXPECT_EQ(order[k], entry(q.get(), k)) << "entry " << k;
    EXPECT_EQ(0u, entry(q.get(), 10)) << "entries beyond those written are 0";
    const std::vector<uint8_t> indices = mapped(q.get(), image, 8);
    for (size_t k = 0; k < px.size(); ++k) EXPECT_EQ(px[k] & 0xFFFFFF, entry(q.get(), indices[k]));
}

TEST(QuantizerTest, BelowSixteenColoursLeavesAreAveragedInGroups) {
    // 16 colours, 16 leaves; leaf 14 once and leaf 15 three times.
    std::vector<uint32_t> colours;
    for (uint32_t k = 0; k < 16; ++k) colours.push_back(k * 0x100000u + 0x0808);  // red's top bits differ
    std::vector<uint32_t> px;
    for (uint32_t k = 0; k < 16; ++k) px.push_back(0xFF000000u | colours[k]);
    px.push_back(0xFF000000u | colours[15]);
    px.push_back(0xFF000000u | colours[15]);
    Held image(imageOf(18, 1, px, false));
    Pooled<Quantizer> q;
    q->buildOctree(image.get(), 15);
    EXPECT_EQ(16u, q->leafCount()) << "the tree keeps 16 leaves whatever the limit";
    EXPECT_EQ(colours[0], entry(q.get(), 0)) << "entry 0 is leaf 0 alone (16 x 1 / 15 = 1)";
    // entry 14: leaves 14 and 15, weighted 1 : 3 -> red (0xE0 + 3 x 0xF0) / 4 = 0xEC
    EXPECT_EQ(0xEC0808u, entry(q.get(), 14));
}

TEST(QuantizerTest, TransparentPixels) {
    // alpha 0 is skipped; alpha 128 counts for the palette but maps to the transparent index.
    Held image(imageOf(3, 1, {0x00FF0000, 0x8000FF00, 0xFF0000FF}, true));
    struct Row {
        uint32_t limit;
        int32_t depth;
        uint8_t transparent;
        const char* why;
    } rows[] = {
        {255, 8, 255, "the GIF's form: the limit is the transparent index"},
        {256, 8, 255, "a limit of 256 does not fit a byte: the highest index"},
        {16, 4, 15, "nor does 16 fit a nibble"},
        {7, 4, 7, "a small limit"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<Quantizer> q;
        q->buildOctree(image.get(), r.limit);
        EXPECT_EQ(2u, q->leafCount());
        std::vector<uint8_t> out(3, 0);
        q->mapToPalette(image->getRow(0), 3, out.data(), r.depth);
        if (r.depth == 8) {
            EXPECT_EQ(r.transparent, out[0]);
            EXPECT_EQ(r.transparent, out[1]);
            EXPECT_EQ(0x0000FFu, entry(q.get(), out[2])) << "the opaque pixel maps to its colour";
        } else {
            EXPECT_EQ(r.transparent, out[0] >> 4);
            EXPECT_EQ(r.transparent, out[0] & 0x0F);
        }
    }
    Held clear(imageOf(2, 1, {0x00112233, 0x00445566}, true));
    Pooled<Quantizer> q;
    q->buildOctree(clear.get(), 255);
    EXPECT_EQ(0u, q->leafCount()) << "a fully transparent picture gives an empty tree";
}

TEST(QuantizerTest, DepthFourPacksHighNibbleFirst) {
    Held image(imageOf(3, 1, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF}, false));
    Pooled<Quantizer> q;
    q->buildOctree(image.get(), 16);
    uint8_t out[2] = {0x00, 0x0C};
    q->mapToPalette(image->getRow(0), 3, out, 4);
    const uint8_t black = 0, white = 1;  // tree order: black's path is all 0
    EXPECT_EQ(black << 4 | white, out[0]);
    EXPECT_EQ(white << 4 | 0x0C, out[1]) << "an odd count leaves the last low nibble";
    uint8_t untouched = 0x5A;
    q->mapToPalette(image->getRow(0), 1, &untouched, 2);
    EXPECT_EQ(0x5A, untouched) << "other depths write nothing";
}

TEST(QuantizerTest, ReuseGivesTheSamePaletteAsAFreshOne) {
    Held many(imageOf(16, 16, tests::image::distinctPixels(16, 16), false));
    Held two(imageOf(2, 1, {0xFF101010, 0xFFF0F0F0}, false));
    Pooled<Quantizer> used;
    used->buildOctree(many.get(), 256);
    used->buildOctree(two.get(), 256);
    Quantizer fresh;
    fresh.buildOctree(two.get(), 256);
    EXPECT_EQ(0, std::memcmp(fresh.palette(), used->palette(), 1024)) << "no stale entries";
}

TEST(QuantizerTest, OneColourOverManyPixelsKeepsItsValue) {
    // 4200 x 4200 pixels of 255: the sums pass 32 bits.
    Held image(s::image::win::newBufferedImage(4200, 4200));
    ASSERT_EQ(4200, image->getWidth());
    image->fill(255, 255, 255, 254);
    Pooled<Quantizer> q;
    q->buildOctree(image.get(), 256);
    EXPECT_EQ(0xFFFFFEu, entry(q.get(), 0));
}

// The mapping's search is pruned: it must still answer what a full linear search answers,
// ties to the lower index included (a palette with repeated entries makes ties).
TEST(QuantizerTest, MappingEqualsTheFullSearch) {
    uint32_t seed = 7;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    std::vector<uint32_t> px;
    for (int k = 0; k < 64 * 64; ++k) px.push_back(0xFF000000u | (next() & 0xE0E0E0u));
    Held image(imageOf(64, 64, px, false));
    for (uint32_t limit : {256u, 40u, 16u, 5u}) {
        SCOPED_TRACE(limit);
        Pooled<Quantizer> q;
        q->buildOctree(image.get(), limit);
        for (int k = 0; k < 20000; ++k) {
            const uint32_t p = 0xFF000000u | (next() & 0xFFFFFF);
            int32_t best = 200000;
            uint32_t want = 0;
            for (uint32_t e = 0; e < limit; ++e) {
                const uint32_t c = entry(q.get(), e);
                const int dr = int(p >> 16 & 0xFF) - int(c >> 16), dg = int(p >> 8 & 0xFF) - int(c >> 8 & 0xFF),
                          db = int(p & 0xFF) - int(c & 0xFF);
                const int d = dr * dr + dg * dg + db * db;
                if (d < best) {
                    best = d;
                    want = e;
                }
            }
            uint8_t got = 0;
            q->mapToPalette(&p, 1, &got, 8);
            ASSERT_EQ(want, got) << std::hex << p;
        }
    }
}

// Mean squared error per channel of the picture mapped to the quantizer's palette, and of a
// fixed 3-3-2 palette (256 colours) for comparison.
void errors(const Held& image, double* ours, double* fixed) {
    Pooled<Quantizer> q;
    q->buildOctree(image.get(), 256);
    const std::vector<uint8_t> indices = mapped(q.get(), image, 8);
    double sumOurs = 0, sumFixed = 0;
    const int32_t w = image->getWidth();
    for (int32_t i = 0; i < image->getHeight(); ++i) {
        for (int32_t j = 0; j < w; ++j) {
            const uint32_t p = image->getRow(i)[j], e = entry(q.get(), indices[i * w + j]);
            for (int sh : {16, 8, 0}) {
                const int c = p >> sh & 0xFF, m = e >> sh & 0xFF;
                const int levels = sh == 0 ? 3 : 7;
                const int f = static_cast<int>(std::lround(std::lround(c * levels / 255.0) * 255.0 / levels));
                sumOurs += (c - m) * (c - m);
                sumFixed += (c - f) * (c - f);
            }
        }
    }
    const double n = 3.0 * w * image->getHeight();
    *ours = sumOurs / n;
    *fixed = sumFixed / n;
}

TEST(QuantizerTest, ErrorOnAGradientAndAPhotoLikePicture) {
    Held gradient(s::image::win::newBufferedImage(256, 64));
    Held photo(s::image::win::newBufferedImage(200, 150));
    for (int32_t i = 0; i < 64; ++i) {
        for (int32_t j = 0; j < 256; ++j) gradient->getRow(i)[j] = 0xFF000000u | j << 16 | (i * 4) << 8 | (255 - j);
    }
    for (int32_t i = 0; i < 150; ++i) {
        for (int32_t j = 0; j < 200; ++j) {
            // Smooth shapes in warm colours with a little texture, as in a photograph.
            const double v = 0.5 + 0.25 * std::sin(j / 17.0) * std::cos(i / 11.0) + 0.2 * std::sin((i + j) / 5.0) * 0.3;
            const int r = std::clamp(static_cast<int>(255 * v), 0, 255);
            const int g = std::clamp(static_cast<int>(200 * v * v + 20), 0, 255);
            const int b = std::clamp(static_cast<int>(120 * (1 - v) + (i * j) % 7), 0, 255);
            photo->getRow(i)[j] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    struct Row {
        const Held* image;
        double most;
        const char* why;
    } rows[] = {{&gradient, 24.0, "gradient"}, {&photo, 6.0, "photo-like"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        double ours = 0, fixed = 0;
        errors(*r.image, &ours, &fixed);
        EXPECT_LT(ours, r.most) << "fixed palette: " << fixed;
        EXPECT_LT(ours, fixed / 5) << "at least five times better than a fixed palette: " << ours << " vs " << fixed;
    }
}

}  // namespace
