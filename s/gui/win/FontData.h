// s/gui/win/FontData.h
//
// The one data shape of font descriptions and fonts: a LOGFONT, three colours, the layout
// flags, the size code, which properties were set explicitly (so that inheriting leaves
// them alone) and the text effect. Pure rules, no GDI object.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::win {

struct FontData {
    enum Override { kFace, kTextColour, kSecondColour, kThirdColour, kSize, kBold, kItalic,
                    kUnderline, kStrikeOut, kWeight, kQuality, kOverrideCount };

    LOGFONTW font = {};
    COLORREF textColour = 0;
    COLORREF secondColour = 0xEEEEEE;
    COLORREF thirdColour = 0xEEEEEE;
    bool wordWrap = false;
    bool ellipsis = false;
    int32_t sizeCode = 0;
    bool overrides[kOverrideCount] = {};
    int32_t textEffect = 0;
    // The text of a disabled control: effects draw it in their pale shades. Not a property
    // of the face, so never inherited.
    bool disabledText = false;

    // The defaults at the given scale with the given face.
    void reset(int32_t scale, const wchar_t* face);
    // Stores the code; weight and height follow it unless bold or size was set explicitly.
    void applySizeCode(int32_t code, int32_t scale);
    // Every property not set explicitly here is taken from `other`.
    void inheritFrom(const FontData& other);
    // The size of `other`, then every property `other` set explicitly.
    void takeSizeAndOverrides(const FontData& other);
    bool hasOverrides() const;
    bool isBold() const { return font.lfWeight >= 500; }
    bool isClearType() const { return font.lfQuality == CLEARTYPE_QUALITY; }
    void setFaceName(const wchar_t* face);
};

// lfHeight of a font of `points` points at `scale` as size codes set it. A size below 2
// pixels, or one that would turn positive (a cell height, not a character height), is the
// smallest size, -1; above 100 pixels, -13.
int32_t heightForPoints(int32_t points, int32_t scale);
// The default face for a fresh description on this system (theme caption face or
// "MS Shell Dlg 2").
const wchar_t* systemFaceName();

}  // namespace s::gui::win
