// s/gui/drawer/button/win/Glyphs.h
//
// Glyph captions: a caption that begins with "#" and names a figure in the table is painted
// as that figure (solid fills in one colour, inside the rectangle inset by the scale on every
// side) instead of as text. "#Color-" and eight hexadecimal digits is a colour swatch; the
// first two digits are ignored and the other six are blue, green, red pairs.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::button::win {

// True when the caption named a glyph, which was then painted.
bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                const wchar_t* caption, COLORREF colour, int32_t scale);
bool isGlyphCaption(const wchar_t* caption);
// The names of the table, in the order they are compared ("#Color-" swatches aside).
int32_t glyphCount();
const wchar_t* glyphName(int32_t index);
// The swatch colour of a "#Color-" caption; false when the caption is no swatch.
bool swatchColour(const wchar_t* caption, COLORREF* colour);

}  // namespace s::gui::drawer::button::win
