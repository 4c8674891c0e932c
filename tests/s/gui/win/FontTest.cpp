// tests/s/gui/win/FontTest.cpp
#include "s/gui/win/Font.h"

#include <gmock/gmock.h>

#include "s/gui/win/FontSetting.h"
#include "s/gui/win/UiScale.h"
#include "support/Pooled.h"

namespace {

using s::gui::win::Font;
using s::gui::win::FontSetting;

struct FontOf {
    Font* font;
    explicit FontOf(Font* f) : font(f) {}
    ~FontOf() {
        if (font) font->releaseToPool();
    }
};

TEST(FontTest, AFontHasItsGdiFontFromTheStart) {
    FontOf f(s::thread::Pool<Font, 0>::obtain());
    ASSERT_TRUE(f.font);
    EXPECT_TRUE(f.font->isCreated());
    EXPECT_EQ(OBJ_FONT, GetObjectType(f.font->getHandle()));
    LOGFONTW made = {};
    ASSERT_TRUE(f.font->GetLogFont(&made));
    EXPECT_EQ(made.lfHeight, f.font->getHeight());
    EXPECT_EQ(400, made.lfWeight);
    EXPECT_GT(f.font->measureTextHeight(), 0);
}

TEST(FontTest, ARemadeFontIsHandedToItsControlBeforeTheOldOneIsDeleted) {
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(label);
    FontOf f(s::thread::Pool<Font, 0>::obtain());
    f.font->attachWindow(label);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(f.font->getHandle()), FALSE);
    for (int i = 0; i < 4; ++i) {
        HFONT before = f.font->getHandle();
        f.font->setBold(i % 2 == 0);
        HFONT after = f.font->getHandle();
        ASSERT_NE(before, after);
        HFONT held = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
        EXPECT_EQ(after, held);
        EXPECT_EQ(OBJ_FONT, GetObjectType(held));
        EXPECT_EQ(0u, GetObjectType(before));
    }
    DestroyWindow(label);
}

TEST(FontTest, AFontSelectedIntoItsDcIsSwappedThereAndColoursReachItAtOnce) {
    HDC dc = CreateCompatibleDC(nullptr);
    FontOf f(s::thread::Pool<Font, 0>::obtain());
    f.font->attachDC(dc);
    HGDIOBJ original = SelectObject(dc, f.font->getHandle());
    f.font->setItalic(true);
    EXPECT_EQ(f.font->getHandle(), GetCurrentObject(dc, OBJ_FONT));
    f.font->setTextColour(10, 20, 30);
    EXPECT_EQ(RGB(10, 20, 30), GetTextColor(dc));
    SelectObject(dc, original);
    DeleteDC(dc);
}

TEST(FontTest, MakeFontCopiesTheDescriptionButNotTheQualityFlag) {
    tests::Pooled<FontSetting> setting;
    setting->setFaceName(L"Arial");
    setting->setTextColour(1, 2, 3);
    setting->setClearType(false);
    setting->setWordWrap(true);
    setting->setTextEffect(2);
    setting->setSizeCode(5);
    FontOf f(setting->makeFont());
    ASSERT_TRUE(f.font);
    EXPECT_STREQ(L"Arial", f.font->getFaceName());
    EXPECT_EQ(RGB(1, 2, 3), f.font->getTextColour());
    EXPECT_TRUE(f.font->isWordWrap());
    EXPECT_EQ(2, f.font->getTextEffect());
    EXPECT_EQ(5, f.font->getSizeCode());
    EXPECT_FALSE(f.font->isClearType());
    EXPECT_TRUE(f.font->fontData().overrides[s::gui::win::FontData::kFace]);
    EXPECT_FALSE(f.font->fontData().overrides[s::gui::win::FontData::kQuality]);
}

TEST(FontTest, PointSizesFollowTheScreenDpi) {
    tests::Pooled<FontSetting> setting;
    setting->setPointSize(9);
    EXPECT_EQ(-12, setting->getHeight());  // 96 dpi (Wine 8.0, checked)
    setting->setPointSize(10);
    EXPECT_EQ(-13, setting->getHeight());
    EXPECT_TRUE(setting->hasOverrides());
}

}  // namespace
