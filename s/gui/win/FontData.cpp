// s/gui/win/FontData.cpp
#include "s/gui/win/FontData.h"

#include <cwchar>

#include "s/gui/win/OsLook.h"
#include "s/gui/win/ThemeFonts.h"

namespace s::gui::win {

namespace {

constexpr int32_t kNormalWeight = 400;
constexpr int32_t kBoldWeight = 700;
constexpr int32_t kCodeEightPoints = 100001;

struct SizeRule {
    bool applies;
    int32_t weight;
    int32_t points;
};

SizeRule sizeRuleOf(int32_t code) {
    if (code >= -99 && code <= 99) return {true, kNormalWeight, code + 10};
    if ((code >= 100 && code <= 999) || (code >= -999 && code <= -100)) {
        return {true, kBoldWeight, code % 100 + 14};
    }
    if (code == kCodeEightPoints) return {true, kNormalWeight, 8};
    return {false, 0, 0};
}

}  // namespace

int32_t heightForPoints(int32_t points, int32_t scale) {
    const int32_t s = points * scale;
    if (s <= 1) return -1;
    if (s > 100) return -13;
    return -(s + (s - 2) / 3 + 1);
}

const wchar_t* systemFaceName() {
    static const ThemeFonts none;
    const bool vista = isVistaLook();
    return defaultFaceName(vista, vista ? themeFonts() : none);
}

void FontData::reset(int32_t scale, const wchar_t* face) {
    *this = FontData();
    setFaceName(face);
    font.lfHeight = heightForPoints(10, scale);
    font.lfWeight = kNormalWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_STRING_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH;
}

void FontData::setFaceName(const wchar_t* face) {
    wcsncpy(font.lfFaceName, face ? face : L"", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
}

void FontData::applySizeCode(int32_t code, int32_t scale) {
    sizeCode = code;
    const SizeRule rule = sizeRuleOf(code);
    if (!rule.applies) return;
    if (!overrides[kBold]) font.lfWeight = rule.weight;
    if (!overrides[kSize]) {
        font.lfHeight = heightForPoints(rule.points, scale);
        font.lfWidth = 0;
    }
}

void FontData::inheritFrom(const FontData& other) {
    if (!overrides[kFace]) setFaceName(other.font.lfFaceName);
    if (!overrides[kTextColour]) textColour = other.textColour;
    if (!overrides[kSecondColour]) secondColour = other.secondColour;
    if (!overrides[kThirdColour]) thirdColour = other.thirdColour;
    if (!overrides[kSize]) {
        font.lfHeight = other.font.lfHeight;
        font.lfWidth = other.font.lfWidth;
    }
    if (!overrides[kItalic]) font.lfItalic = other.font.lfItalic;
    if (!overrides[kUnderline]) font.lfUnderline = other.font.lfUnderline;
    if (!overrides[kStrikeOut]) font.lfStrikeOut = other.font.lfStrikeOut;
    if (!overrides[kQuality]) {
        font.lfQuality = other.isClearType() ? CLEARTYPE_QUALITY : NONANTIALIASED_QUALITY;
    }
    if (!overrides[kBold]) font.lfWeight = other.isBold() ? kBoldWeight : kNormalWeight;
}

void FontData::takeSizeAndOverrides(const FontData& other) {
    font.lfHeight = other.font.lfHeight;
    font.lfWidth = other.font.lfWidth;
    const bool* set = other.overrides;
    if (set[kFace]) setFaceName(other.font.lfFaceName);
    if (set[kTextColour]) textColour = other.textColour;
    if (set[kSecondColour]) secondColour = other.secondColour;
    if (set[kThirdColour]) thirdColour = other.thirdColour;
    if (set[kBold] || set[kWeight]) font.lfWeight = other.font.lfWeight;
    if (set[kItalic]) font.lfItalic = other.font.lfItalic;
    if (set[kUnderline]) font.lfUnderline = other.font.lfUnderline;
    if (set[kStrikeOut]) font.lfStrikeOut = other.font.lfStrikeOut;
    if (set[kQuality]) font.lfQuality = other.font.lfQuality;
}

bool FontData::hasOverrides() const {
    for (bool set : overrides) {
        if (set) return true;
    }
    return false;
}

}  // namespace s::gui::win
