// tests/s/image/gui/boxes/ConfigBoxTest.cpp
//
// The four settings boxes on real windows: each opens with its setting's values, the user
// changes them through the controls, the choices are applied and saved in a private
// registry key, and a fresh setting reads them back. Captions come from the localizer when
// it has them and are English when it lacks them (never blank). The colour field's button
// opens the colour dialog and the chosen colour shows as six hexadecimal digits.
#include <gmock/gmock.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "s/app/win/AppBase.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/RadioButton.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/TextField.h"
#include "s/gui/win/Window.h"
#include "s/image/EncodeSettingBoxes.h"
#include "s/image/bmp/EncodeSetting.h"
#include "s/image/gif/EncodeSetting.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/image/gui/boxes/BmpConfigBox.h"
#include "s/image/gui/boxes/BoxMaker.h"
#include "s/image/gui/boxes/Captions.h"
#include "s/image/gui/boxes/ColorPicker.h"
#include "s/image/gui/boxes/DepthConfigBox.h"
#include "s/image/gui/boxes/GifConfigBox.h"
#include "s/image/gui/boxes/JpgConfigBox.h"
#include "s/image/gui/boxes/PngConfigBox.h"
#include "s/image/jpg/EncodeSetting.h"
#include "s/image/png/EncodeSetting.h"
#include "s/lang/Localizer.h"
#include "s/reg/MappedData.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "tests/s/gui/dialogs/DialogFixture.h"

namespace s::image::gui::boxes {
namespace {

using tests::gui::CallThread;

HWND handleOf(s::gui::IComponent* c) { return c->nativeWindow()->m_hWnd; }
void click(s::gui::IComponent* c) { SendMessageW(handleOf(c), BM_CLICK, 0, 0); }

class ConfigBoxTest : public tests::gui::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        installBoxMaker();
        m_store = s::reg::openRegistryData(at(L"Store").c_str());
        ASSERT_NE(nullptr, m_store);
        window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
        window->setLayoutManager(s::gui::layout::Vertical::shared());
        window->setBounds(60, 60, 460, 420);
        german.texts[0][kResolution.id] = L"Aufl\u00f6sung";
        german.texts[0][kBackground.id] = L"";  // present but empty: still a caption
    }
    void TearDown() override {
        if (window) window->releaseToPool();  // the controls go with it, before the store
        for (s::image::IEncodeSettingBox* box : m_boxes) box->releaseToPool();
        if (m_store) m_store->releaseToPool();
        s::image::setEncodeSettingBoxMaker(nullptr);
        DialogFixture::TearDown();
    }
    // The setting's box from the hook, built and shown in the test window.
    template <class Box, class Setting>
    Box* showBox(Setting* setting, s::gui::ITextLocalizer* localizer) {
        auto* box = dynamic_cast<Box*>(setting->createBox());
        EXPECT_NE(nullptr, box);
        if (!box) return nullptr;
        m_boxes.push_back(box);
        box->setLocalizer(localizer);
        window->addChild(box->build());
        window->show(true, false);
        return box;
    }
    template <class Setting>
    Setting* attached() {
        auto* setting = s::thread::Pool<Setting>::obtain();
        setting->attachStore(L"Images", m_store);
        return setting;
    }

    s::reg::MappedData* m_store = nullptr;
    std::vector<s::image::IEncodeSettingBox*> m_boxes;
    tests::gui::FakeLocalizer german;
    s::gui::win::Window* window = nullptr;
};

TEST(ConfigBoxRules, ACaptionIsTheLocalizersTextOrElseEnglish) {
    tests::gui::FakeLocalizer texts;
    texts.texts[0][kResolution.id] = L"Aufl\u00f6sung";
    texts.texts[0][kFillColor.id] = L"";
    EXPECT_STREQ(L"Resolution", captionText(nullptr, kResolution));
    EXPECT_STREQ(L"Aufl\u00f6sung", captionText(&texts, kResolution));
    EXPECT_STREQ(L"Background", captionText(&texts, kBackground));  // the pack lacks the id
    EXPECT_STREQ(L"Fill Color", captionText(&texts, kFillColor));   // an empty text
}

TEST(ConfigBoxRules, HexadecimalColourText) {
    EXPECT_EQ(L"FFFFFF", ColorPicker::hexText(0xFFFFFF));
    EXPECT_EQ(L"0A0B0C", ColorPicker::hexText(0x0A0B0C));
    EXPECT_EQ(L"000000", ColorPicker::hexText(0x1000000));
    struct Row {
        const wchar_t* text;
        bool ok;
        uint32_t rgb;
    } rows[] = {
        {L"ffffff", true, 0xFFFFFF}, {L" 123ABC ", true, 0x123ABC}, {L"12345", false, 0},
        {L"1234567", false, 0},      {L"GGGGGG", false, 0},         {L"", false, 0},
        {L"12 3456", false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        uint32_t rgb = 0xDEAD;
        EXPECT_EQ(r.ok, ColorPicker::parseHex(r.text, &rgb));
        if (r.ok) {
            EXPECT_EQ(r.rgb, rgb);
        }
    }
}

TEST(ConfigBoxRules, QualityTextAndFirstCheckedDepth) {
    struct Row {
        const wchar_t* text;
        bool ok;
        int32_t quality;
    } rows[] = {{L"0", true, 0}, {L"100", true, 100}, {L" 85 ", true, 85}, {L"101", false, 0},
                {L"-5", false, 0}, {L"", false, 0}, {L"0100", false, 0}, {L"9x", false, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        int32_t quality = -1;
        EXPECT_EQ(r.ok, JpgConfigBox::parseQuality(r.text, &quality));
        if (r.ok) {
            EXPECT_EQ(r.quality, quality);
        }
    }
    const int32_t depths[] = {4, 8, 24, 32};
    const bool none[] = {false, false, false, false}, two[] = {false, true, false, true};
    EXPECT_EQ(24, DepthConfigBox::firstCheckedDepth(none, depths, 4, 24));
    EXPECT_EQ(8, DepthConfigBox::firstCheckedDepth(two, depths, 4, 24));
}

TEST_F(ConfigBoxTest, TheBitmapBoxOpensWithTheSettingAndItsChoicesAreStoredAndReadBack) {
    tests::Pooled<s::image::bmp::EncodeSetting> setting(attached<s::image::bmp::EncodeSetting>());
    EXPECT_EQ(24, setting->getBpp());
    BmpConfigBox* box = showBox<BmpConfigBox>(setting.get(), &german);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ(L"Bitmap", box->getTypeName());
    EXPECT_STREQ(L"s_image_gui_boxes_BmpConfigBox", box->classId());
    EXPECT_TRUE(box->depthButton(2)->isChecked());
    EXPECT_STREQ(L"24 Bpp (16,777,216 Colors)", box->depthButton(2)->getText());
    EXPECT_STREQ(L"32 Bpp (16,777,216 Colors with Transparency)", box->depthButton(3)->getText());
    EXPECT_TRUE(box->background()->keepButton()->isChecked());
    EXPECT_FALSE(box->background()->fillButton()->isChecked());
    EXPECT_STREQ(L"FFFFFF", box->background()->colorField()->textField()->getText());
    tests::gui::saveScreenshot(window->getHandle(), L"config_box_bmp");

    click(box->depthButton(1));
    click(box->background()->fillButton());
    box->background()->colorField()->setColor(0x10, 0x80, 0xF0);
    EXPECT_STREQ(L"1080F0", box->background()->colorField()->textField()->getText());
    EXPECT_FALSE(box->depthButton(2)->isChecked());
    EXPECT_TRUE(setting->applyBox());

    tests::Pooled<s::image::bmp::EncodeSetting> again(attached<s::image::bmp::EncodeSetting>());
    EXPECT_EQ(8, again->getBpp());
    EXPECT_FALSE(again->getKeepTransparency());
    EXPECT_EQ(0x10, again->getBgRed());
    EXPECT_EQ(0x80, again->getBgGreen());
    EXPECT_EQ(0xF0, again->getBgBlue());
}

TEST_F(ConfigBoxTest, CaptionsComeFromTheLocalizerOrAreEnglishNeverBlank) {
    tests::Pooled<s::image::gif::EncodeSetting> setting(attached<s::image::gif::EncodeSetting>());
    GifConfigBox* box = showBox<GifConfigBox>(setting.get(), &german);
    ASSERT_NE(nullptr, box);
    auto* resolution = dynamic_cast<s::gui::win::GroupBox*>(box->depthButton(0)->getParent()->getParent());
    ASSERT_NE(nullptr, resolution);
    EXPECT_STREQ(L"Aufl\u00f6sung", resolution->getTitle());
    auto* background = dynamic_cast<s::gui::win::GroupBox*>(box->background()->keepButton()->getParent()->getParent());
    ASSERT_NE(nullptr, background);
    EXPECT_STREQ(L"Background", background->getTitle());
    EXPECT_STREQ(L"Fill Color", box->background()->fillButton()->getText());
    EXPECT_STREQ(L"Keep Transparency", box->background()->keepButton()->getText());
    EXPECT_STREQ(L"4 Bpp (16 Colors)", box->depthButton(0)->getText());
    EXPECT_STREQ(L"8 Bpp (256 Colors)", box->depthButton(1)->getText());
    EXPECT_EQ(nullptr, box->depthButton(2));
    tests::gui::saveScreenshot(window->getHandle(), L"config_box_gif_localized");
}

TEST_F(ConfigBoxTest, WithTheProgramsOwnPackTheCaptionsAreEnglishWhereItHasNone) {
    tests::Pooled<s::app::win::AppBase> app(s::app::win::AppBase::obtain(nullptr, at(L"App").c_str()));
    ASSERT_NE(nullptr, app.get());
    s::lang::Localizer* pack = app->localizer();
    ASSERT_NE(nullptr, pack);
    pack->setLanguage(L"German");
    ASSERT_FALSE(pack->hasText(kResolution.id));
    tests::Pooled<s::image::bmp::EncodeSetting> setting(attached<s::image::bmp::EncodeSetting>());
    BmpConfigBox* box = showBox<BmpConfigBox>(setting.get(), pack);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ(L"Keep Transparency", box->background()->keepButton()->getText());
    EXPECT_STREQ(L"4 Bpp (16 Colors)", box->depthButton(0)->getText());
    auto* resolution = dynamic_cast<s::gui::win::GroupBox*>(box->depthButton(0)->getParent()->getParent());
    ASSERT_NE(nullptr, resolution);
    EXPECT_STREQ(L"Resolution", resolution->getTitle());
    tests::gui::saveScreenshot(window->getHandle(), L"config_box_bmp_program_pack");
}

TEST_F(ConfigBoxTest, TheGifBoxStoresDepthTransparencyAndColour) {
    tests::Pooled<s::image::gif::EncodeSetting> setting(attached<s::image::gif::EncodeSetting>());
    setting->setKeepTransparency(false);
    GifConfigBox* box = showBox<GifConfigBox>(setting.get(), nullptr);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ(L"Gif", box->getTypeName());
    EXPECT_TRUE(box->depthButton(1)->isChecked());
    EXPECT_TRUE(box->background()->fillButton()->isChecked());
    click(box->depthButton(0));
    click(box->background()->keepButton());
    box->background()->colorField()->setColor(1, 2, 3);
    EXPECT_TRUE(setting->applyBox());
    tests::Pooled<s::image::gif::EncodeSetting> again(attached<s::image::gif::EncodeSetting>());
    EXPECT_EQ(4, again->getBpp());
    EXPECT_TRUE(again->getKeepTransparency());
    EXPECT_EQ(1, again->getBgRed());
    EXPECT_EQ(3, again->getBgBlue());
}

TEST_F(ConfigBoxTest, TheJpegBoxStoresQualityFromItsFieldAndItsSliderFollows) {
    tests::Pooled<s::image::jpg::EncodeSetting> setting(attached<s::image::jpg::EncodeSetting>());
    JpgConfigBox* box = showBox<JpgConfigBox>(setting.get(), nullptr);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ(L"Jpeg", box->getTypeName());
    EXPECT_STREQ(L"75", box->qualityField()->getText());
    EXPECT_EQ(75, box->qualitySlider()->getPosition());
    EXPECT_EQ(nullptr, box->background()->keepButton());  // JPEG keeps no transparency
    EXPECT_FALSE(box->background()->getKeepTransparency());
    SendMessageW(handleOf(box->qualityField()), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"90"));
    EXPECT_EQ(90, box->getQuality());
    EXPECT_EQ(90, box->qualitySlider()->getPosition());
    SendMessageW(handleOf(box->qualityField()), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"900"));
    EXPECT_EQ(90, box->getQuality());  // not a quality: the last good one stays
    SendMessageW(handleOf(box->qualityField()), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"));
    SendMessageW(handleOf(box->background()->colorField()->textField()), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"00ff80"));
    EXPECT_EQ(0x00FF80u, box->background()->colorField()->getColor());
    Sleep(200);
    tests::gui::saveScreenshot(window->getHandle(), L"config_box_jpg");
    EXPECT_TRUE(setting->applyBox());
    tests::Pooled<s::image::jpg::EncodeSetting> again(attached<s::image::jpg::EncodeSetting>());
    EXPECT_EQ(42, again->getQuality());
    EXPECT_EQ(0, again->getBgRed());
    EXPECT_EQ(255, again->getBgGreen());
    EXPECT_EQ(128, again->getBgBlue());
}

TEST_F(ConfigBoxTest, ThePngBoxStoresInterlacingAndTransparency) {
    tests::Pooled<s::image::png::EncodeSetting> setting(attached<s::image::png::EncodeSetting>());
    PngConfigBox* box = showBox<PngConfigBox>(setting.get(), nullptr);
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ(L"Png", box->getTypeName());
    EXPECT_STREQ(L"Enable Interlacing", box->interlaceBox()->getText());
    EXPECT_TRUE(box->interlaceBox()->isChecked());
    click(box->interlaceBox());
    click(box->background()->fillButton());
    tests::gui::saveScreenshot(window->getHandle(), L"config_box_png");
    EXPECT_TRUE(setting->applyBox());
    tests::Pooled<s::image::png::EncodeSetting> again(attached<s::image::png::EncodeSetting>());
    EXPECT_FALSE(again->getWithInterlace());
    EXPECT_FALSE(again->getKeepTransparency());
}

TEST_F(ConfigBoxTest, TheColourButtonOpensTheDialogAndTheChosenColourShowsInHex) {
    tests::Pooled<s::image::png::EncodeSetting> setting(attached<s::image::png::EncodeSetting>());
    setting->setBackground(0, 0, 0);
    PngConfigBox* box = showBox<PngConfigBox>(setting.get(), nullptr);
    ASSERT_NE(nullptr, box);
    ColorPicker* field = box->background()->colorField();
    EXPECT_STREQ(L"000000", field->textField()->getText());
    // The click runs the modal dialog on the window's thread; the test plays the user.
    PostMessageW(handleOf(field->button()), BM_CLICK, 0, 0);
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(window->getHandle(), watcher->boxes()[0].owner);
    SetDlgItemTextW(dialog, 706, L"255");
    SetDlgItemTextW(dialog, 707, L"255");
    SetDlgItemTextW(dialog, 708, L"255");
    answer(IDOK);
    EXPECT_TRUE(tests::gui::eventually([&] { return field->getColor() == 0xFFFFFF; }, 5000));
    EXPECT_STREQ(L"FFFFFF", field->textField()->getText());
    EXPECT_EQ(RGB(255, 255, 255), field->swatch()->getBackgroundColour());
}

}  // namespace
}  // namespace s::image::gui::boxes
