// tests/s/image/gif/win/GifTest.cpp
//
// GIF files: ImageMagick's still, animated (delays, disposals, loop 0, a transparent colour)
// and interlaced files decode to its pixels frame by frame; no colour table gives the grey
// ramp; our output decodes back with the same frames; cut, damaged and hostile files end
// without a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GoldenGifs.h"
#include "s/image/CodecTestSupport.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/gif/win/Gif.h"
#include "support/Pooled.h"

namespace {

using s::image::gif::win::Gif;
using tests::Pooled;
using tests::image::Bytes;
using tests::image::decodeBytes;
using tests::image::encodeBytes;
using tests::image::Held;
using tests::image::pixelsOf;

// Transparent pixels are compared by their alpha only: their colour is the decoder's choice.
void expectFrame(const Gif* gif, int32_t i, const tests::image::gif::GoldenFrame& f, const char* name) {
    EXPECT_EQ(f.delayMs, gif->delay(i)) << name << " frame " << i;
    EXPECT_EQ(f.disposal, gif->disposal(i)) << name << " frame " << i;
    EXPECT_EQ(f.transparent, gif->transparentIndex(i)) << name << " frame " << i;
    Held image(gif->toBufferedImage(i, nullptr));
    ASSERT_NE(nullptr, image.get()) << name << " frame " << i;
    ASSERT_EQ(f.width, image->getWidth());
    ASSERT_EQ(f.height, image->getHeight());
    const std::vector<uint32_t> px = pixelsOf(image.get());
    bool anyClear = false;
    for (size_t k = 0; k < px.size(); ++k) {
        if (f.argb[k] >> 24 == 0) {
            anyClear = true;
            EXPECT_EQ(0u, px[k] >> 24) << name << " frame " << i << " pixel " << k;
        } else {
            EXPECT_EQ(f.argb[k], px[k]) << name << " frame " << i << " pixel " << k;
        }
    }
    EXPECT_EQ(anyClear, image->hasAlpha()) << name << " frame " << i;
}

TEST(GifTest, ImageMagickFilesDecodeFrameByFrame) {
    for (const auto& g : tests::image::gif::goldenGifs()) {
        Pooled<Gif> gif;
        ASSERT_TRUE(decodeBytes(gif.get(), g.file)) << g.name;
        ASSERT_EQ(static_cast<int32_t>(g.frames.size()), gif->getImageCount()) << g.name;
        EXPECT_EQ(g.loopCount, gif->loopCount()) << g.name;
        EXPECT_EQ(g.frames[0].width, gif->getWidth());
        EXPECT_EQ(g.frames[0].height, gif->getHeight());
        for (int32_t i = 0; i < gif->getImageCount(); ++i) expectFrame(gif.get(), i, g.frames[i], g.name);
    }
}

TEST(GifTest, NoColourTableDecodesWithTheGreyRamp) {
    const auto& still = tests::image::gif::goldenGifs()[0];
    const Bytes& file = still.file;
    ASSERT_TRUE(file[10] & 0x80);
    const size_t tableBytes = 3u * (2u << (file[10] & 7));
    Bytes bare(file.begin(), file.begin() + 13);
    bare[10] &= 0x7F;
    bare.insert(bare.end(), file.begin() + 13 + tableBytes, file.end());
    Pooled<Gif> gif;
    ASSERT_TRUE(decodeBytes(gif.get(), bare));
    Held image(gif->toBufferedImage(0, nullptr));
    const std::vector<uint32_t> px = pixelsOf(image.get());
    ASSERT_EQ(still.frames[0].argb.size(), px.size());
    for (size_t k = 0; k < px.size(); ++k) {
        uint32_t index = 0;
        while (index < tableBytes / 3 && (0xFF000000u | file[13 + 3 * index] << 16 | file[14 + 3 * index] << 8 |
                                          file[15 + 3 * index]) != still.frames[0].argb[k]) {
            ++index;
        }
        EXPECT_EQ(0xFF000000u | index * 0x010101u, px[k]) << "pixel " << k;
    }
}

TEST(GifTest, OurFileDecodesToTheSameFrames) {
    const auto& anim = tests::image::gif::goldenGifs()[1];
    Pooled<Gif> gif;
    ASSERT_TRUE(decodeBytes(gif.get(), anim.file));
    bool ok = false;
    const Bytes ours = encodeBytes(gif.get(), &ok);
    ASSERT_TRUE(ok);
    Pooled<Gif> back;
    ASSERT_TRUE(decodeBytes(back.get(), ours));
    ASSERT_EQ(3, back->getImageCount());
    EXPECT_EQ(0, back->loopCount());
    for (int32_t i = 0; i < 3; ++i) expectFrame(back.get(), i, anim.frames[i], "ours");
}

TEST(GifTest, DelaysAreWrittenInHundredthsAndReadInMilliseconds) {
    Pooled<Gif> gif;
    s::image::bmp::win::Bitmap* frame = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
    ASSERT_TRUE(frame && frame->create(2, 2, 8));
    ASSERT_TRUE(gif->appendFrame(frame, 3, 75, 1));
    const Bytes file = encodeBytes(gif.get());
    const Bytes control = {0x21, 0xF9, 0x04, 0x05, 0x07, 0x00, 0x03, 0x00};
    EXPECT_NE(file.end(), std::search(file.begin(), file.end(), control.begin(), control.end()));
    Pooled<Gif> back;
    ASSERT_TRUE(decodeBytes(back.get(), file));
    EXPECT_EQ(70, back->delay(0));
    EXPECT_EQ(1, back->disposal(0));
    EXPECT_EQ(3, back->transparentIndex(0));
    Pooled<Gif> empty;
    EXPECT_TRUE(encodeBytes(empty.get()).empty()) << "no frame, no file";
}

// A screen without a table and one 1 x 1 image; the descriptor's size and code size vary.
Bytes oneImage(uint16_t width, uint16_t height, uint8_t minSize) {
    Bytes f = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0};
    const uint8_t tail[] = {static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(height),
                            static_cast<uint8_t>(height >> 8), 0, minSize, 2, 0x4C, 0x01, 0, 0x3B};
    for (uint8_t b : tail) f.push_back(b);
    return f;
}

TEST(GifTest, HostileFilesGiveNoFrames) {
    struct Case {
        const char* what;
        Bytes file;
        bool decodes;
    } cases[] = {
        {"sound 1 x 1", oneImage(1, 1, 2), true},
        {"code size 12", oneImage(1, 1, 12), false},
        {"code size 0", oneImage(1, 1, 0), false},
        {"65535 x 65535", oneImage(0xFFFF, 0xFFFF, 2), false},
        {"zero width", oneImage(0, 5, 2), false},
        {"not a GIF", {'P', 'N', 'G', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}, false},
        {"empty", {}, false},
        {"header only", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}, false},
    };
    for (const Case& t : cases) {
        Pooled<Gif> gif;
        EXPECT_EQ(t.decodes, decodeBytes(gif.get(), t.file)) << t.what;
        EXPECT_EQ(t.decodes ? 1 : 0, gif->getImageCount()) << t.what;
    }
}

TEST(GifTest, CutFilesKeepTheFramesReadSoFar) {
    const auto& anim = tests::image::gif::goldenGifs()[1];
    int32_t previous = 0;
    for (size_t size = 0; size <= anim.file.size(); ++size) {
        Pooled<Gif> gif;
        decodeBytes(gif.get(), Bytes(anim.file.begin(), anim.file.begin() + size));
        ASSERT_GE(gif->getImageCount(), previous) << "cut at " << size;
        ASSERT_LE(gif->getImageCount(), 3);
        previous = gif->getImageCount();
    }
    EXPECT_EQ(3, previous);
    Pooled<Gif> noTrailer;
    ASSERT_TRUE(decodeBytes(noTrailer.get(), Bytes(anim.file.begin(), anim.file.end() - 1)));
    EXPECT_EQ(3, noTrailer->getImageCount());
}

TEST(GifTest, DamagedFilesNeverCrash) {
    uint32_t n = 0;
    for (const auto& g : tests::image::gif::goldenGifs()) {
        for (uint32_t k = 0; k < 1000; ++k, ++n) {
            Pooled<Gif> gif;
            if (!decodeBytes(gif.get(), tests::image::damaged(g.file, n))) continue;
            ASSERT_LE(gif->getImageCount(), Gif::kMostFrames);
            for (int32_t i = 0; i < gif->getImageCount(); ++i) Held(gif->toBufferedImage(i, nullptr));
        }
    }
}

}  // namespace
