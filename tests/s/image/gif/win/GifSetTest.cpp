// tests/s/image/gif/win/GifSetTest.cpp
//
// GIF and image sets: an animated set written as delta frames (a smaller later picture is
// drawn over the running composite, unchanged pixels become transparent), delays and the
// loop count kept, a failed set leaving the Gif as it was, and the searches over frames.
#include <gtest/gtest.h>

#include <vector>

#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/win/BufferedImageSet.h"
#include "support/Pooled.h"

namespace {

using s::image::gif::win::Gif;
using s::image::win::BufferedImageSet;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

TEST(GifSetTest, LaterPicturesBecomeDeltaFramesOverTheComposite) {
    const uint32_t a = 0xFF102030u, b = 0xFF405060u;
    Pooled<BufferedImageSet> set;
    set->add(imageOf(3, 2, std::vector<uint32_t>(6, a), false), 8, 100, 0);
    set->add(imageOf(2, 1, {b, a}, false), 8, 250, 0);  // smaller: drawn at (0, 0)
    set->setAnimation(true, 4);
    Pooled<Gif> gif;
    ASSERT_TRUE(gif->fromImageSetWithSettings(set.get(), 8, true, 255, 255, 255));
    ASSERT_EQ(2, gif->getImageCount());
    EXPECT_EQ(4, gif->loopCount());
    EXPECT_EQ(100, gif->delay(0));
    EXPECT_EQ(250, gif->delay(1));
    EXPECT_EQ(0, gif->disposal(0));
    EXPECT_EQ(1, gif->disposal(1));
    Held second(gif->toBufferedImage(1, nullptr));
    ASSERT_EQ(3, second->getWidth()) << "the composite's size";
    const std::vector<uint32_t> px = pixelsOf(second.get());
    EXPECT_EQ(b, px[0]) << "the one pixel that changed";
    for (size_t k = 1; k < px.size(); ++k) EXPECT_EQ(0u, px[k] >> 24) << "unchanged pixel " << k;
    Pooled<BufferedImageSet> back(gif->toImageSet());
    ASSERT_EQ(2, back->getCount());
    EXPECT_TRUE(back->isAnimated());
    Pooled<BufferedImageSet> shown(back->composedCopy());
    EXPECT_EQ((std::vector<uint32_t>{b, a, a, a, a, a}), pixelsOf(shown->getImage(1))) << "what a viewer shows";
}

TEST(GifSetTest, AStillOrEmptySetAddsOnePictureOrNone) {
    Pooled<BufferedImageSet> set;
    Pooled<Gif> gif;
    EXPECT_FALSE(gif->fromImageSetWithSettings(set.get(), 8, true, 0, 0, 0));
    EXPECT_FALSE(gif->fromImageSetWithSettings(nullptr, 8, true, 0, 0, 0));
    EXPECT_EQ(0, gif->getImageCount());
    set->add(imageOf(1, 1, {0xFF000000u}, false), 8, 0, 0);
    set->add(imageOf(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu), false), 8, 0, 0);
    ASSERT_TRUE(gif->fromImageSetWithSettings(set.get(), 8, true, 0, 0, 0));
    ASSERT_EQ(1, gif->getImageCount()) << "not animated: the best picture only";
    EXPECT_EQ(2, gif->getWidth());
}

TEST(GifSetTest, SearchesGoOverTheFrames) {
    Pooled<Gif> gif;
    for (int32_t side : {8, 32, 16}) {
        auto* frame = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
        ASSERT_TRUE(frame->create(side, side, 8));
        ASSERT_TRUE(gif->appendFrame(frame, -1, 0, 0));
    }
    int32_t index = -1;
    EXPECT_TRUE(gif->findExact(16, 16, 8, &index));
    EXPECT_EQ(2, index);
    EXPECT_FALSE(gif->findExact(16, 16, 4, &index));
    EXPECT_TRUE(gif->findNearestSize(30, 30, 8, &index));
    EXPECT_EQ(1, index);
    EXPECT_TRUE(gif->findNearestDepth(9, 9, 4, &index));
    EXPECT_EQ(0, index) << "all 8 bits: the nearest area decides";
    EXPECT_TRUE(gif->isMultiImage());
}

}  // namespace
