// tests/s/gui/win/FontDataTest.cpp
#include "s/gui/win/FontData.h"

#include <gmock/gmock.h>

#include "s/gui/win/FontSetting.h"
#include "s/gui/win/OsLook.h"
#include "s/gui/win/ThemeFonts.h"
#include "s/gui/win/UiScale.h"
#include "support/Pooled.h"

namespace {

using s::gui::win::FontData;
using s::gui::win::FontSetting;
using tests::Pooled;

class ScaleAndLook {
public:
    explicit ScaleAndLook(int32_t scale, int32_t vista = -1) {
        s::gui::win::overrideUiScale(scale);
        s::gui::win::overrideVistaLook(vista);
    }
    ~ScaleAndLook() {
        s::gui::win::overrideUiScale(0);
        s::gui::win::overrideVistaLook(-1);
    }
};

struct SizeCase {
    int32_t code;
    int32_t weight;
    int32_t heights[3];  // at scales 1, 2 and 4
};

// Heights by -(s + (s - 2) / 3 + 1) for s = points x scale; sizes below 2 pixels (and
// those whose formula would turn positive) are the smallest, -1; above 100 pixels, -13.
const SizeCase kSizeCodes[] = {
    {0, 400, {-13, -27, -53}},        // 10 points: the default heights
    {-2, 400, {-11, -21, -43}},       // 8 points
    {100001, 400, {-11, -21, -43}},   // 8 points
    {3, 400, {-17, -35, -69}},        // 13 points
    {-8, 400, {-3, -5, -11}},         // 2 points
    {-9, 400, {-1, -3, -5}},          // 1 point: s = 1 at scale 1
    {-10, 400, {-1, -1, -1}},         // 0 points
    {-11, 400, {-1, -1, -1}},         // negative points would be a cell height
    {-99, 400, {-1, -1, -1}},
    {99, 400, {-13, -13, -13}},       // 109 points: more than 100 pixels
    {150, 700, {-85, -13, -13}},      // 64 points, bold
    {100, 700, {-19, -37, -75}},      // 14 points, bold
    {-150, 700, {-1, -1, -1}},        // -36 points
    {-999, 700, {-1, -1, -1}},
};

TEST(FontDataTest, SizeCodesGiveTheTableHeightsAndWeightsAtEveryScale) {
    const int32_t scales[3] = {1, 2, 4};
    for (const SizeCase& c : kSizeCodes) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "code " << c.code << " scale " << scales[i]);
            FontData data;
            data.reset(scales[i], L"Arial");
            data.applySizeCode(c.code, scales[i]);
            EXPECT_EQ(c.heights[i], data.font.lfHeight);
            EXPECT_LT(data.font.lfHeight, 0);
            EXPECT_EQ(c.weight, data.font.lfWeight);
            EXPECT_EQ(c.code, data.sizeCode);
        }
    }
}

TEST(FontDataTest, CodesOutsideTheTableChangeOnlyTheStoredCode) {
    for (int32_t code : {1000, -1000, 100000, 100002}) {
        FontData data;
        data.reset(1, L"Arial");
        data.font.lfWeight = 600;
        data.applySizeCode(code, 1);
        EXPECT_EQ(-13, data.font.lfHeight);
        EXPECT_EQ(600, data.font.lfWeight);
        EXPECT_EQ(code, data.sizeCode);
    }
}

TEST(FontDataTest, DefaultsFollowTheScale) {
    const int32_t expected[3][2] = {{1, -13}, {2, -27}, {4, -53}};
    for (const auto& e : expected) {
        ScaleAndLook scope(e[0]);
        // A fresh one: a pooled setting was reset with the scale of its release.
        FontSetting fresh;
        FontSetting* setting = &fresh;
        EXPECT_EQ(e[1], setting->getHeight());
        EXPECT_EQ(400, setting->getWeight());
        EXPECT_EQ(0u, setting->getTextColour());
        EXPECT_EQ(0xEEEEEEu, setting->getSecondColour());
        EXPECT_EQ(0xEEEEEEu, setting->getThirdColour());
        const LOGFONTW& f = setting->fontData().font;
        EXPECT_EQ(DEFAULT_CHARSET, f.lfCharSet);
        EXPECT_EQ(OUT_STRING_PRECIS, f.lfOutPrecision);
        EXPECT_EQ(CLIP_STROKE_PRECIS, f.lfClipPrecision);
        EXPECT_EQ(CLEARTYPE_QUALITY, f.lfQuality);
        EXPECT_EQ(VARIABLE_PITCH, f.lfPitchAndFamily);
        EXPECT_FALSE(setting->hasOverrides());
    }
}

TEST(FontDataTest, AHeightSetExplicitlySurvivesASizeCodeButTheWeightFollows) {
    ScaleAndLook scope(1);
    Pooled<FontSetting> setting;
    setting->setHeight(-20);
    setting->setSizeCode(150);
    EXPECT_EQ(-20, setting->getHeight());
    EXPECT_EQ(700, setting->getWeight());
    setting->setBold(false);
    setting->setSizeCode(150);
    EXPECT_EQ(400, setting->getWeight());
}

TEST(FontDataTest, InheritingTakesWhatWasNotSetHereAndRoundsTheWeight) {
    ScaleAndLook scope(1);
    Pooled<FontSetting> source, receiver;
    source->setFaceName(L"Courier New");
    source->setTextColour(1, 2, 3);
    source->setWeight(600);
    source->setHeight(-30);
    source->setItalic(true);
    source->setClearType(false);
    receiver->setTextColour(9, 9, 9);
    receiver->inheritFrom(source.get());
    EXPECT_STREQ(L"Courier New", receiver->getFaceName());
    EXPECT_EQ(RGB(9, 9, 9), receiver->getTextColour());
    EXPECT_EQ(700, receiver->getWeight());
    EXPECT_EQ(-30, receiver->getHeight());
    EXPECT_TRUE(receiver->isItalic());
    EXPECT_FALSE(receiver->isClearType());

    Pooled<FontSetting> bold;
    bold->setBold(false);
    bold->inheritFrom(source.get());
    EXPECT_EQ(400, bold->getWeight());
}

TEST(FontDataTest, ColourSettersKeepTheLowEightBitsAndMarkTheirFlag) {
    Pooled<FontSetting> setting;
    setting->setTextColour(0x1FF, 0x100, -1);
    EXPECT_EQ(RGB(255, 0, 255), setting->getTextColour());
    EXPECT_TRUE(setting->hasOverrides());
    Pooled<FontSetting> plain;
    plain->setWordWrap(true);
    plain->setEllipsis(true);
    plain->setTextEffect(3);
    EXPECT_FALSE(plain->hasOverrides());
}

TEST(FontDataTest, TheFaceIsTheThemeCaptionFaceOnVistaAndMsShellDlg2Before) {
    {
        ScaleAndLook vista(1, 1);
        FontSetting fresh;
        FontSetting* setting = &fresh;
        // Wine's theme caption font, with Wine's own fonts in the prefix (Wine 8.0, checked).
        EXPECT_STREQ(L"Tahoma", setting->getFaceName());
    }
    {
        ScaleAndLook xp(1, 0);
        FontSetting fresh;
        FontSetting* setting = &fresh;
        EXPECT_STREQ(L"MS Shell Dlg 2", setting->getFaceName());
    }
}

TEST(FontDataTest, WithoutTheThemeLibraryNoThemeFontIsAvailable) {
    s::gui::win::ThemeFonts none;
    s::gui::win::readThemeFonts(&none, L"NoSuchThemeLibrary.dll");
    EXPECT_FALSE(none.available);
    EXPECT_STREQ(L"MS Shell Dlg 2", s::gui::win::defaultFaceName(true, none));
    s::gui::win::ThemeFonts real;
    s::gui::win::readThemeFonts(&real, L"UxTheme.dll");
    EXPECT_TRUE(real.available);
    EXPECT_EQ(-11, real.fonts[s::gui::win::ThemeFonts::kCaption].lfHeight);
}

}  // namespace
