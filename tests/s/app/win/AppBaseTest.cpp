// tests/s/app/win/AppBaseTest.cpp
#include "s/app/win/AppBase.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "s/archive/icon/Archive.h"
#include "s/image/IBufferedImageSet.h"
#include "s/image/IEncodeSettingBox.h"
#include "s/image/bmp/EncodeSetting.h"
#include "s/image/gif/EncodeSetting.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/jpg/EncodeSetting.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/EncodeSetting.h"
#include "s/image/win/BufferedImage.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/system/win/ShellOpen.h"
#include "s/thread/Pool.h"
#include "tests/s/app/win/AppFixture.h"

namespace {

using s::app::win::AppBase;

class AppBaseTest : public tests::app::AppFixture {};

TEST_F(AppBaseTest, FirstStartOnAnEmptyKeyWritesIdentityAndLanguage) {
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    ASSERT_NE(nullptr, app->localizer());
    ASSERT_NE(nullptr, app->saveData());
    EXPECT_TRUE(app->saveData()->getAutoSave()) << "the start switches save-after-change back on";
    EXPECT_EQ(L"Ostrel Brakvane", readString(L"SaveData\\SoftwareID", L""));
    EXPECT_EQ(L"1.23", readString(L"SaveData\\Version", L""));
    // The session's Wine runs in English.
    EXPECT_EQ(L"English", readString(L"SaveData\\Language", L""));
    EXPECT_STREQ(L"English", app->localizer()->currentLanguageName());
    EXPECT_NE(nullptr, app->picture131());
    EXPECT_NE(nullptr, app->picture132());
    EXPECT_EQ(500000u, app->textBase());
    app->releaseToPool();
}

TEST_F(AppBaseTest, SavedLanguageIsSelectedAndKept) {
    writeString(L"SaveData\\Language", L"", L"German");
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    EXPECT_STREQ(L"German", app->localizer()->currentLanguageName());
    EXPECT_EQ(L"German", readString(L"SaveData\\Language", L""));
    app->releaseToPool();
}

TEST_F(AppBaseTest, UnknownSavedLanguageGivesTheSystemsAndIsReplaced) {
    writeString(L"SaveData\\Language", L"", L"Klingon");
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    EXPECT_STREQ(L"English", app->localizer()->currentLanguageName());
    EXPECT_EQ(L"English", readString(L"SaveData\\Language", L""));
    app->releaseToPool();
}

TEST_F(AppBaseTest, WithoutSkinnerTheSkinIsEmptyAndNeverStored) {
    writeString(L"SaveData\\Skin", L"", L"Black");
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    EXPECT_FALSE(app->hasSkinner());
    EXPECT_STREQ(L"", app->getSkinSetting());
    app->setSkinSetting(L"White");
    EXPECT_EQ(L"Black", readString(L"SaveData\\Skin", L"")) << "Skin must not be written";
    app->releaseToPool();
}

TEST_F(AppBaseTest, LanguageSettingIsWrittenUnderItsKey) {
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    app->setLanguageSetting(L"Dutch");
    EXPECT_EQ(L"Dutch", readString(L"SaveData\\Language", L""));
    EXPECT_STREQ(L"Dutch", app->getLanguageSetting());
    app->releaseToPool();
}

std::vector<std::wstring> g_opened;
BOOL WINAPI recordOpen(SHELLEXECUTEINFOW* info) {
    g_opened.push_back(info->lpFile ? info->lpFile : L"");
    return TRUE;
}

TEST_F(AppBaseTest, SilentValueIsConsumedOnceAndOpensTheProductPage) {
    writeDword(L"", L"Silent", 1);
    g_opened.clear();
    auto previous = s::system::win::setShellExecuteFunction(&recordOpen);
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    app->handleSilentFlag();
    EXPECT_FALSE(hasValue(L"", L"Silent"));
    app->handleSilentFlag();
    s::system::win::setShellExecuteFunction(previous);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ(std::wstring(app->productPageText()), g_opened[0]);
    EXPECT_EQ(0u, g_opened[0].find(L"http")) << "the page is an address of the pack";
    app->releaseToPool();
}

TEST_F(AppBaseTest, NoSilentValueOpensNothing) {
    g_opened.clear();
    auto previous = s::system::win::setShellExecuteFunction(&recordOpen);
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    app->handleSilentFlag();
    s::system::win::setShellExecuteFunction(previous);
    EXPECT_TRUE(g_opened.empty());
    app->releaseToPool();
}

// The width of an icon handle's colour picture.
int32_t iconWidth(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return -1;
    BITMAP picture = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof picture, &picture);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return picture.bmWidth;
}

// The program starts through the application base: from then on an encode setting answers
// its box (the image library cannot make one itself).
TEST_F(AppBaseTest, TheStartGivesTheEncodeSettingsTheirBoxes) {
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    struct Row {
        s::image::IEncodeSetting* setting;
        const wchar_t* box;
    } rows[] = {
        {s::thread::Pool<s::image::bmp::EncodeSetting>::obtain(), L"s_image_gui_boxes_BmpConfigBox"},
        {s::thread::Pool<s::image::gif::EncodeSetting>::obtain(), L"s_image_gui_boxes_GifConfigBox"},
        {s::thread::Pool<s::image::jpg::EncodeSetting>::obtain(), L"s_image_gui_boxes_JpgConfigBox"},
        {s::thread::Pool<s::image::png::EncodeSetting>::obtain(), L"s_image_gui_boxes_PngConfigBox"},
    };
    for (const Row& r : rows) {
        ASSERT_NE(nullptr, r.setting);
        s::image::IEncodeSettingBox* box = r.setting->createBox();
        ASSERT_NE(nullptr, box) << std::wstring(r.box).c_str();
        EXPECT_STREQ(r.box, box->classId());
        r.setting->releaseToPool();  // forgets its box, which is the caller's
        box->releaseToPool();
    }
    app->releaseToPool();
}

TEST_F(AppBaseTest, ApplicationIconsComeFromTheProgramsIconGroup) {
    AppBase* app = startBase();
    ASSERT_NE(nullptr, app);
    ASSERT_NE(nullptr, app->iconGroup());
    // The drawn icon (resources/app.ico) holds 16, 24, 32, 48 and 256 pixels: 64 and 128
    // take the image of nearest area, 48.
    struct Row {
        const char* name;
        s::image::ico::win::IconImage* (AppBase::*icon)();
        int32_t side;
    };
    const Row rows[] = {{"16", &AppBase::appIcon16, 16},   {"32", &AppBase::appIcon32, 32},
                        {"64", &AppBase::appIcon64, 48},   {"128", &AppBase::appIcon128, 48},
                        {"256", &AppBase::appIcon256, 256}};
    for (const Row& row : rows) {
        s::image::ico::win::IconImage* image = (app->*row.icon)();
        ASSERT_NE(nullptr, image) << row.name;
        EXPECT_EQ(row.side, image->getWidth()) << row.name;
        EXPECT_EQ(row.side, image->getHeight()) << row.name;
        EXPECT_EQ(32, image->getBitDepth()) << row.name;
        EXPECT_EQ(image, (app->*row.icon)()) << row.name << ": decoded once";
    }
    struct HandleRow {
        const char* name;
        HICON (AppBase::*handle)();
        int32_t side;
    };
    const HandleRow handles[] = {{"64", &AppBase::appIconHandle64, 48},
                                 {"128", &AppBase::appIconHandle128, 48},
                                 {"256", &AppBase::appIconHandle256, 256}};
    for (const HandleRow& row : handles) {
        HICON icon = (app->*row.handle)();
        ASSERT_NE(nullptr, icon) << row.name;
        EXPECT_EQ(row.side, iconWidth(icon)) << row.name;
        EXPECT_EQ(icon, (app->*row.handle)()) << row.name << ": made once";
    }
    // The windows' icon set: the five pictures smallest first, each window taking a pair.
    s::image::IBufferedImageSet* set = app->appIconSet();
    ASSERT_NE(nullptr, set);
    const int32_t sides[] = {16, 32, 48, 48, 256};
    ASSERT_EQ(5, set->getCount());
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(sides[i], set->getImage(i)->getWidth()) << i;
    EXPECT_EQ(set, app->appIconSet()) << "made once";
    app->releaseToPool();
}

TEST(AppBaseVersionText, IrregularVersionTexts) {
    struct Row {
        const wchar_t* text;
        bool irregular;
    };
    const Row rows[] = {{L"1.23", false}, {L"10.05", false}, {L"1.2", true}, {L"1.234", true},
                        {L"1", true},     {L"", true},       {L".12", false}, {L"1.2.3", true}};
    for (const Row& row : rows)
        EXPECT_EQ(row.irregular, AppBase::isIrregularVersionText(row.text)) << row.text;
    EXPECT_TRUE(AppBase::isIrregularVersionText(nullptr));
}

}  // namespace
