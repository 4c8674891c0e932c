// tests/s/image/win/BufferedImageSetTest.cpp
//
// Image sets: the best picture, the values beyond the count, the three searches with their
// ties, the composed, scaled and filtered copies, clear and reset.
#include <gtest/gtest.h>

#include "s/image/ImageTestSupport.h"
#include "s/image/filters/sharpness/Sharpness.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "support/Pooled.h"

namespace {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

BufferedImage* plain(int32_t width, int32_t height, uint32_t colour) {
    return imageOf(width, height, std::vector<uint32_t>(width * height, colour), colour >> 24 != 255);
}

TEST(BufferedImageSetTest, TheBestImageIsTheLargestThenTheDeepest) {
    Pooled<BufferedImageSet> set;
    ASSERT_TRUE(set->add(plain(16, 16, 0xFF000000), 32, 10, 0));
    ASSERT_TRUE(set->add(plain(32, 8, 0xFF000000), 8, 20, 1));   // same area, shallower: not best
    EXPECT_EQ(0, set->getBestIndex());
    ASSERT_TRUE(set->add(plain(8, 32, 0xFF000000), 33, 30, 2));  // same area, deeper: best
    EXPECT_EQ(2, set->getBestIndex());
    EXPECT_EQ(8, set->getWidth());
    EXPECT_EQ(32, set->getHeight());
    ASSERT_TRUE(set->add(plain(48, 48, 0xFF000000), 4, 40, 3));
    EXPECT_EQ(3, set->getBestIndex());
    EXPECT_EQ(set->getImage(3), set->getBestImage());
    EXPECT_EQ(20, set->getDelay(1));
    EXPECT_EQ(2, set->getDisposal(2));
    EXPECT_EQ(1000, set->getDelay(4)) << "beyond the count";
    EXPECT_EQ(1000, set->getDisposal(4));
    EXPECT_FALSE(set->add(nullptr, 32, 0, 0));
    EXPECT_EQ(4, set->getCount());
}

TEST(BufferedImageSetTest, SearchesAndTheirTies) {
    Pooled<BufferedImageSet> set;
    set->add(plain(16, 16, 0xFF000000), 32, 0, 0);
    set->add(plain(48, 48, 0xFF000000), 8, 0, 0);
    set->add(plain(16, 16, 0xFF000000), 8, 0, 0);
    struct Case {
        const char* why;
        int which;  // 0 exact, 1 nearest depth, 2 nearest size
        int32_t width, height, depth;
        bool found;
        int32_t index;
    } cases[] = {
        {"exact", 0, 16, 16, 8, true, 2},
        {"no exact match", 0, 16, 16, 4, false, 0},
        {"depth first: 32 bits at 16 x 16 beats 48 x 48", 1, 32, 32, 32, true, 0},
        {"size first: area distance 768 against 1280", 2, 32, 32, 32, true, 0},
        {"depth tie goes to the nearer area", 1, 40, 40, 8, true, 1},
        {"size tie goes to the nearer depth", 2, 16, 16, 30, true, 0},
        {"size and depth tie: the earlier", 2, 16, 16, 20, true, 0},
    };
    for (const Case& c : cases) {
        int32_t index = -1;
        const bool found = c.which == 0   ? set->findExact(c.width, c.height, c.depth, &index)
                           : c.which == 1 ? set->findNearestDepth(c.width, c.height, c.depth, &index)
                                          : set->findNearestSize(c.width, c.height, c.depth, &index);
        EXPECT_EQ(c.found, found) << c.why;
        EXPECT_EQ(c.index, index) << c.why;
    }
    Pooled<BufferedImageSet> empty;
    int32_t index = -1;
    EXPECT_FALSE(empty->findNearestSize(1, 1, 1, &index));
    EXPECT_EQ(0, index);
}

TEST(BufferedImageSetTest, ComposedCopyDrawsKeptFramesOverThePreviousOne) {
    Pooled<BufferedImageSet> set;
    set->add(plain(2, 1, 0xFF102030), 8, 100, 0);
    // disposal 1: drawn over the previous output; the transparent pixel shows it
    set->add(imageOf(2, 1, {0x00FFFFFFu, 0xFF405060u}, true), 8, 200, 1);
    set->add(plain(1, 1, 0xFF708090), 8, 300, 0);  // copied as it is
    set->setAnimation(false, 3);
    Pooled<BufferedImageSet> composed(set->composedCopy());
    ASSERT_EQ(3, composed->getCount());
    EXPECT_EQ((std::vector<uint32_t>{0xFF102030u, 0xFF405060u}), pixelsOf(composed->getImage(1)));
    EXPECT_EQ(2, composed->getDisposal(1));
    EXPECT_EQ(200, composed->getDelay(1));
    EXPECT_EQ(0, composed->getDisposal(2));
    EXPECT_EQ((std::vector<uint32_t>{0xFF708090u}), pixelsOf(composed->getImage(2)));
    EXPECT_TRUE(composed->isAnimated());
    EXPECT_EQ(3, composed->getLoopCount());
    EXPECT_EQ((std::vector<uint32_t>{0x00FFFFFFu, 0xFF405060u}), pixelsOf(set->getImage(1))) << "source unchanged";
}

TEST(BufferedImageSetTest, CopiesOwnTheirImages) {
    Pooled<BufferedImageSet> set;
    set->add(plain(200, 100, 0xFF808080), 24, 5, 0);
    set->setAnimation(true, 0);
    Pooled<BufferedImageSet> copy(set->copy());
    ASSERT_EQ(1, copy->getCount());
    EXPECT_NE(set->getImage(0), copy->getImage(0));
    EXPECT_EQ(pixelsOf(set->getImage(0)), pixelsOf(copy->getImage(0)));
    EXPECT_EQ(24, copy->getDepth(0));
    EXPECT_TRUE(copy->isAnimated());
    EXPECT_EQ(0, copy->getLoopCount());
    Pooled<BufferedImageSet> scaled(set->scaledCopy(100, 100, true));
    ASSERT_EQ(1, scaled->getCount());
    EXPECT_EQ(100, scaled->getImage(0)->getWidth());
    EXPECT_EQ(50, scaled->getImage(0)->getHeight());
    EXPECT_EQ(0xFF808080u, scaled->getImage(0)->getRow(10)[10]);
    EXPECT_NE(set->getImage(0)->getScaledCache(), scaled->getImage(0)) << "a copy, not the cache";
}

TEST(BufferedImageSetTest, FilteredCopyTakesTheFilteredPictures) {
    Pooled<BufferedImageSet> set;
    set->add(imageOf(3, 1, {0xFF000000u, 0xFFA0A0A0u, 0xFF000000u}, false), 32, 0, 0);
    set->getImage(0)->addFilter(s::image::filters::sharpness::newSharpness(-100));
    Pooled<BufferedImageSet> filtered(set->filteredCopy());
    ASSERT_EQ(1, filtered->getCount());
    // the in-place blur of the filter's own test: 0, 160, 0 becomes 40, 90, 22 a channel
    EXPECT_EQ((std::vector<uint32_t>{0xFF282828u, 0xFF5A5A5Au, 0xFF161616u}), pixelsOf(filtered->getImage(0)));
}

TEST(BufferedImageSetTest, ClearForgetsAndResetReleases) {
    Pooled<BufferedImageSet> set;
    BufferedImage* kept = plain(4, 4, 0xFF000000);
    set->add(kept, 8, 0, 0);
    set->setAnimation(true, 7);
    set->clear();
    EXPECT_EQ(0, set->getCount());
    EXPECT_FALSE(set->isAnimated());
    EXPECT_EQ(0, set->getWidth());
    EXPECT_EQ(4, kept->getWidth()) << "clear releases nothing";
    set->add(kept, 8, 0, 0);
    set->resetForReuse();
    EXPECT_EQ(1, set->getLoopCount());
    EXPECT_EQ(0, set->getCount());
    Pooled<BufferedImageSet> one(s::image::win::newImageSetOf(plain(2, 2, 0xFF000000)));
    ASSERT_EQ(1, one->getCount());
    EXPECT_EQ(32, one->getDepth(0));
    EXPECT_EQ(0, one->getDelay(0));
}

}  // namespace
