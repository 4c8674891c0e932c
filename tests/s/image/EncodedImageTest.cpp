// tests/s/image/EncodedImageTest.cpp
//
// The codec interface every format shares: files by path text (an existing file is never
// written over, only an existing file is read), the picture as a set, the single-picture
// searches, and new codec objects of the same format made from an image.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "s/image/IEncodedImage.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"

namespace {

using s::image::IEncodedImage;
using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;

struct Format {
    const wchar_t* extension;
    IEncodedImage* (*make)();
    int32_t depth;  // of a picture made by create(…, 8)
    bool multi;
    bool makesFromImages;
};

template <class C>
IEncodedImage* pooled() {
    return s::thread::Pool<C>::obtain();
}

const Format kFormats[] = {
    {L".bmp", &pooled<s::image::bmp::win::Bitmap>, 8, false, true},
    {L".gif", &pooled<s::image::gif::win::Gif>, 8, true, true},
    {L".jpg", &pooled<s::image::jpg::win::Jpeg>, 24, false, true},
    {L".png", &pooled<s::image::png::win::Png>, 32, false, true},
    {L".ico", &pooled<s::image::ico::win::IconImage>, 8, true, false},
};

TEST(EncodedImageTest, FilesByPathAreNeverWrittenOver) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.makeFolder(L"folder"));
    for (const Format& f : kFormats) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(f.extension)));
        Pooled<IEncodedImage> codec(f.make());
        EXPECT_EQ(std::wstring(f.extension), codec->getExtension());
        ASSERT_TRUE(codec->create(5, 3, 8));
        const std::wstring file = box.at(std::wstring(L"pic") + f.extension);
        ASSERT_TRUE(codec->saveToFile(file.c_str()));
        std::string first;
        ASSERT_TRUE(box.readFile(std::wstring(L"pic") + f.extension, &first));
        ASSERT_FALSE(first.empty());
        ASSERT_TRUE(box.writeFile(std::wstring(L"pic") + f.extension, "kept"));
        EXPECT_FALSE(codec->saveToFile(file.c_str())) << "an existing file";
        std::string after;
        ASSERT_TRUE(box.readFile(std::wstring(L"pic") + f.extension, &after));
        EXPECT_EQ("kept", after) << "was written over";
        ASSERT_TRUE(box.writeFile(std::wstring(L"again") + f.extension, first));
        Pooled<IEncodedImage> back(f.make());
        EXPECT_TRUE(back->loadFromFile(box.at(std::wstring(L"again") + f.extension).c_str()));
        EXPECT_EQ(5, back->getWidth());
        EXPECT_EQ(3, back->getHeight());
        Pooled<IEncodedImage> none(f.make());
        EXPECT_FALSE(none->loadFromFile(box.at(L"missing").c_str()));
        EXPECT_FALSE(none->loadFromFile(box.at(L"folder").c_str()));
        EXPECT_FALSE(none->loadFromFile(nullptr));
    }
}

TEST(EncodedImageTest, SetsSearchesAndNewCodecs) {
    Held image(imageOf(4, 2, std::vector<uint32_t>(8, 0xFF204060u), false));
    for (const Format& f : kFormats) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(f.extension)));
        Pooled<IEncodedImage> codec(f.make());
        ASSERT_TRUE(codec->create(6, 4, 8));
        EXPECT_EQ(f.multi, codec->isMultiImage());
        EXPECT_EQ(1, codec->getImageCount());
        Pooled<s::image::win::BufferedImageSet> set(codec->toImageSet());
        ASSERT_NE(nullptr, set.get());
        ASSERT_EQ(1, set->getCount());
        EXPECT_EQ(6, set->getImage(0)->getWidth());
        EXPECT_EQ(f.depth, set->getDepth(0));
        int32_t index = -1;
        EXPECT_TRUE(codec->findNearestSize(100, 100, 1, &index));
        EXPECT_EQ(0, index);
        Pooled<IEncodedImage> made(codec->newFromImage(image.get()));
        EXPECT_EQ(f.makesFromImages, made.get() != nullptr);
        if (!made.get()) continue;
        EXPECT_EQ(std::wstring(f.extension), made->getExtension());
        EXPECT_EQ(4, made->getWidth());
        Held shown(made->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, shown.get());
        const uint32_t p = shown->getRow(1)[3];
        // JPEG is lossy; the others keep a single colour exactly
        EXPECT_NEAR(0x20, static_cast<int>(p >> 16 & 0xFF), f.extension == std::wstring(L".jpg") ? 3 : 0);
        EXPECT_NEAR(0x60, static_cast<int>(p & 0xFF), f.extension == std::wstring(L".jpg") ? 3 : 0);
        Pooled<IEncodedImage> fromSet(codec->newFromImageSet(set.get()));
        ASSERT_NE(nullptr, fromSet.get());
        EXPECT_EQ(6, fromSet->getWidth());
    }
}

}  // namespace
