// tests/s/image/EncodeSettingTest.cpp
//
// The four formats' saving choices through a private registry key: defaults on an empty
// store, every value written and read back, out-of-range stored values brought into range
// (a GIF depth of 9 would ask the codec for 511 palette entries), the box hook, and the codec
// objects made with the choices.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "s/image/EncodeSettingBoxes.h"
#include "s/image/IEncodedImage.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/EncodeSetting.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/sharpness/Sharpness.h"
#include "s/image/gif/EncodeSetting.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/jpg/EncodeSetting.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/EncodeSetting.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/reg/MappedData.h"
#include "support/Pooled.h"
#include "support/RegistryFixture.h"

namespace {

using tests::Pooled;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

class EncodeSettingTest : public tests::RegistryFixture {
protected:
    void SetUp() override {
        RegistryFixture::SetUp();
        m_store = s::reg::openRegistryData(at(L"Store").c_str());
        ASSERT_NE(nullptr, m_store);
    }
    void TearDown() override {
        if (m_store) m_store->releaseToPool();
        RegistryFixture::TearDown();
    }
    s::reg::MappedData* store() const { return m_store; }
    std::wstring key(const wchar_t* format) const { return std::wstring(L"Store\\Images\\") + format; }
    void putDword(const wchar_t* format, const wchar_t* name, int32_t value) const {
        ASSERT_TRUE(writeRaw(key(format), name, REG_DWORD, &value, 4));
    }
    int32_t dword(const wchar_t* format, const wchar_t* name) const {
        DWORD type = 0;
        std::vector<uint8_t> data;
        if (!readRaw(key(format), name, &type, &data) || type != REG_DWORD || data.size() != 4) return -12345;
        return static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
    }

private:
    s::reg::MappedData* m_store = nullptr;
};

TEST_F(EncodeSettingTest, AnEmptyStoreGivesTheDefaults) {
    Pooled<s::image::bmp::EncodeSetting> bmp;
    bmp->setBpp(8);
    bmp->setBackground(1, 2, 3);
    bmp->setKeepTransparency(false);
    bmp->attachStore(L"Images", store());
    EXPECT_TRUE(bmp->hasStore());
    EXPECT_EQ(store(), bmp->getStore());
    EXPECT_TRUE(bmp->getKeepTransparency());
    EXPECT_EQ(255, bmp->getBgRed());
    EXPECT_EQ(255, bmp->getBgGreen());
    EXPECT_EQ(255, bmp->getBgBlue());
    EXPECT_EQ(24, bmp->getBpp());
    Pooled<s::image::gif::EncodeSetting> gif;
    gif->setBpp(4);
    gif->setWithInterlace(false);
    gif->attachStore(L"Images", store());
    EXPECT_EQ(8, gif->getBpp());
    EXPECT_TRUE(gif->getWithInterlace());
    Pooled<s::image::jpg::EncodeSetting> jpg;
    jpg->setQuality(90);
    jpg->attachStore(L"Images", store());
    EXPECT_EQ(90, jpg->getQuality()) << "no stored quality keeps the object's";
    Pooled<s::image::png::EncodeSetting> png;
    png->setKeepTransparency(false);
    png->attachStore(L"Images", store());
    EXPECT_TRUE(png->getKeepTransparency());
    EXPECT_TRUE(png->getWithInterlace());
}

TEST_F(EncodeSettingTest, EveryValueIsSavedUnderItsNameAndReadBack) {
    {
        Pooled<s::image::bmp::EncodeSetting> bmp;
        bmp->attachStore(L"Images", store());
        bmp->setKeepTransparency(false);
        bmp->setBackground(10, 20, 30);
        bmp->setBpp(4);
        bmp->save();
        Pooled<s::image::gif::EncodeSetting> gif;
        gif->attachStore(L"Images", store());
        gif->setWithInterlace(false);
        gif->setBpp(1);
        gif->setBackground(0, 128, 255);
        gif->save();
        Pooled<s::image::jpg::EncodeSetting> jpg;
        jpg->attachStore(L"Images", store());
        jpg->setQuality(33);
        jpg->setBackground(5, 6, 7);
        jpg->save();
        Pooled<s::image::png::EncodeSetting> png;
        png->attachStore(L"Images", store());
        png->setWithInterlace(false);
        png->setKeepTransparency(false);
        png->save();
    }
    EXPECT_EQ(0, dword(L"BmpEncodeSetting", L"KeepTransparency"));
    EXPECT_EQ(20, dword(L"BmpEncodeSetting", L"BgGreen"));
    EXPECT_EQ(4, dword(L"BmpEncodeSetting", L"Bpp"));
    EXPECT_EQ(1, dword(L"GifEncodeSetting", L"Bpp"));
    EXPECT_EQ(0, dword(L"GifEncodeSetting", L"WithInterlace"));
    EXPECT_EQ(33, dword(L"JpgEncodeSetting", L"Quality"));
    EXPECT_EQ(7, dword(L"JpgEncodeSetting", L"BgBlue"));
    EXPECT_EQ(0, dword(L"PngEncodeSetting", L"WithInterlace"));
    Pooled<s::image::bmp::EncodeSetting> bmp;
    bmp->attachStore(L"Images", store());
    EXPECT_FALSE(bmp->getKeepTransparency());
    EXPECT_EQ(10, bmp->getBgRed());
    EXPECT_EQ(30, bmp->getBgBlue());
    EXPECT_EQ(4, bmp->getBpp());
    Pooled<s::image::gif::EncodeSetting> gif;
    gif->attachStore(L"Images", store());
    EXPECT_FALSE(gif->getWithInterlace());
    EXPECT_EQ(1, gif->getBpp());
    EXPECT_EQ(128, gif->getBgGreen());
    Pooled<s::image::jpg::EncodeSetting> jpg;
    jpg->attachStore(L"Images", store());
    EXPECT_EQ(33, jpg->getQuality());
    EXPECT_EQ(5, jpg->getBgRed());
    Pooled<s::image::png::EncodeSetting> png;
    png->attachStore(L"Images", store());
    EXPECT_FALSE(png->getWithInterlace());
    EXPECT_FALSE(png->getKeepTransparency());
}

TEST_F(EncodeSettingTest, StoredValuesOutOfRangeAreBroughtIntoRange) {
    struct Case {
        const wchar_t* format;
        const wchar_t* name;
        int32_t stored, read;
    } cases[] = {
        {L"GifEncodeSetting", L"Bpp", 9, 8},   {L"GifEncodeSetting", L"Bpp", 0, 8},
        {L"GifEncodeSetting", L"Bpp", -4, 8},  {L"GifEncodeSetting", L"Bpp", 4, 4},
        {L"BmpEncodeSetting", L"Bpp", 16, 24}, {L"BmpEncodeSetting", L"Bpp", 9, 24},
        {L"BmpEncodeSetting", L"Bpp", 0, 24},  {L"BmpEncodeSetting", L"Bpp", 32, 32},
        {L"JpgEncodeSetting", L"Quality", 500, 100}, {L"JpgEncodeSetting", L"Quality", -3, 0},
        {L"JpgEncodeSetting", L"BgRed", 300, 255},   {L"PngEncodeSetting", L"BgBlue", -1, 0},
        {L"BmpEncodeSetting", L"BgGreen", 256, 255},
    };
    for (const Case& c : cases) {
        putDword(c.format, c.name, c.stored);
        int32_t read = -1;
        if (std::wstring(c.format) == L"GifEncodeSetting") {
            Pooled<s::image::gif::EncodeSetting> s;
            s->attachStore(L"Images", store());
            read = s->getBpp();
        } else if (std::wstring(c.format) == L"BmpEncodeSetting") {
            Pooled<s::image::bmp::EncodeSetting> s;
            s->attachStore(L"Images", store());
            read = std::wstring(c.name) == L"Bpp" ? s->getBpp() : s->getBgGreen();
        } else if (std::wstring(c.format) == L"JpgEncodeSetting") {
            Pooled<s::image::jpg::EncodeSetting> s;
            s->attachStore(L"Images", store());
            read = std::wstring(c.name) == L"Quality" ? s->getQuality() : s->getBgRed();
        } else {
            Pooled<s::image::png::EncodeSetting> s;
            s->attachStore(L"Images", store());
            read = s->getBgBlue();
        }
        EXPECT_EQ(c.read, read) << c.name << " stored as " << c.stored;
    }
    // a depth stored with the wrong length reads as missing
    const uint8_t two[2] = {4, 0};
    ASSERT_TRUE(writeRaw(key(L"GifEncodeSetting"), L"Bpp", REG_BINARY, two, 2));
    Pooled<s::image::gif::EncodeSetting> gif;
    gif->attachStore(L"Images", store());
    EXPECT_EQ(8, gif->getBpp());
}

// A box that, when applied, gives a JPEG quality of 40, or a GIF depth of 12 (out of range).
class FakeBox : public s::image::IEncodeSettingBox {
public:
    s::image::IEncodeSetting* linked = nullptr;
    void link(s::image::IEncodeSetting* setting) override { linked = setting; }
    void applyTo(s::image::IEncodeSetting* setting) override {
        if (auto* jpg = dynamic_cast<s::image::jpg::EncodeSetting*>(setting)) jpg->setQuality(40);
        if (auto* gif = dynamic_cast<s::image::gif::EncodeSetting*>(setting)) gif->setBpp(12);
    }
    const wchar_t* classId() const override { return L"tests_FakeBox"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}
};

FakeBox g_box;
std::wstring g_asked;
s::image::IEncodeSettingBox* makeBox(const wchar_t* id) {
    g_asked = id;
    return &g_box;
}

TEST_F(EncodeSettingTest, BoxesComeThroughTheHookAndTheirChoicesAreSaved) {
    Pooled<s::image::jpg::EncodeSetting> jpg;
    jpg->attachStore(L"Images", store());
    EXPECT_TRUE(jpg->applyBox()) << "no box: true";
    EXPECT_EQ(-12345, dword(L"JpgEncodeSetting", L"Quality")) << "and nothing saved";
    s::image::setEncodeSettingBoxMaker(nullptr);
    EXPECT_EQ(nullptr, jpg->createBox()) << "no maker, no box";
    s::image::setEncodeSettingBoxMaker(&makeBox);
    EXPECT_EQ(&g_box, jpg->createBox());
    EXPECT_EQ(L"s_image_gui_boxes_JpgConfigBox", g_asked);
    EXPECT_EQ(jpg.get(), g_box.linked);
    EXPECT_TRUE(jpg->applyBox());
    EXPECT_EQ(40, dword(L"JpgEncodeSetting", L"Quality"));
    Pooled<s::image::gif::EncodeSetting> gif;
    gif->attachStore(L"Images", store());
    gif->createBox();
    EXPECT_EQ(L"s_image_gui_boxes_GifConfigBox", g_asked);
    gif->applyBox();
    EXPECT_EQ(8, dword(L"GifEncodeSetting", L"Bpp")) << "the box's 12 brought into range, then saved";
    s::image::setEncodeSettingBoxMaker(nullptr);
}

TEST(EncodeSettingCodecTest, CodecsAreMadeWithTheChoices) {
    Held image(imageOf(3, 1, {0x00000000u, 0xFFA0A0A0u, 0xFF000000u}, true));
    Pooled<s::image::bmp::EncodeSetting> bmp;
    bmp->setBpp(32);
    Pooled<s::image::IEncodedImage> b(bmp->encodeImage(image.get()));
    ASSERT_NE(nullptr, b.get());
    EXPECT_EQ(std::wstring(L".bmp"), b->getExtension());
    EXPECT_EQ(32, static_cast<s::image::bmp::win::Bitmap*>(b.get())->getBitDepth());
    Pooled<s::image::gif::EncodeSetting> gif;
    gif->setBpp(4);
    Pooled<s::image::IEncodedImage> g(gif->encodeImage(image.get()));
    ASSERT_NE(nullptr, g.get());
    EXPECT_EQ(15, static_cast<s::image::gif::win::Gif*>(g.get())->transparentIndex(0)) << "2^4 - 1";
    Pooled<s::image::png::EncodeSetting> png;
    png->setWithInterlace(false);
    Pooled<s::image::IEncodedImage> p(png->encodeImage(image.get()));
    ASSERT_NE(nullptr, p.get());
    EXPECT_FALSE(static_cast<s::image::png::win::Png*>(p.get())->isInterlaced());
    Pooled<s::image::jpg::EncodeSetting> jpg;
    jpg->setQuality(42);
    Pooled<s::image::IEncodedImage> j(jpg->encodeImage(image.get()));
    ASSERT_NE(nullptr, j.get());
    EXPECT_EQ(42, static_cast<s::image::jpg::win::Jpeg*>(j.get())->getQuality());
}

TEST(EncodeSettingCodecTest, AnImageWithASharpnessFilterIsEncodedSharpened) {
    Held image(imageOf(3, 1, {0xFF000000u, 0xFFA0A0A0u, 0xFF000000u}, false));
    image->addFilter(s::image::filters::sharpness::newSharpness(-100));
    Pooled<s::image::bmp::EncodeSetting> bmp;
    bmp->setBpp(32);
    Pooled<s::image::IEncodedImage> b(bmp->encodeImage(image.get()));
    ASSERT_NE(nullptr, b.get());
    Held back(b->toBufferedImage(0, nullptr));
    EXPECT_EQ((std::vector<uint32_t>{0xFF282828u, 0xFF5A5A5Au, 0xFF161616u}), pixelsOf(back.get()));
}

TEST(EncodeSettingCodecTest, AnAnimatedSetBecomesAnAnimatedGif) {
    Pooled<s::image::win::BufferedImageSet> set;
    set->add(imageOf(2, 1, {0xFF112233u, 0xFF445566u}, false), 8, 70, 0);
    set->add(imageOf(2, 1, {0xFF112233u, 0xFF445566u}, false), 8, 80, 0);
    set->setAnimation(true, 0);
    Pooled<s::image::gif::EncodeSetting> gif;
    Pooled<s::image::IEncodedImage> g(gif->encodeImageSet(set.get()));
    ASSERT_NE(nullptr, g.get());
    auto* made = static_cast<s::image::gif::win::Gif*>(g.get());
    ASSERT_EQ(2, made->getImageCount());
    EXPECT_EQ(0, made->loopCount());
    EXPECT_EQ(80, made->delay(1));
    EXPECT_EQ(1, made->disposal(1));
    Held second(made->toBufferedImage(1, nullptr));
    for (uint32_t p : pixelsOf(second.get())) EXPECT_EQ(0u, p >> 24) << "an unchanged frame is all transparent";
    set->setAnimation(false, 0);
    Pooled<s::image::IEncodedImage> still(gif->encodeImageSet(set.get()));
    ASSERT_NE(nullptr, still.get());
    EXPECT_EQ(1, still->getImageCount()) << "not animated: the best image alone";
}

}  // namespace
