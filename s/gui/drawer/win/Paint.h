// s/gui/drawer/win/Paint.h
//
// The few GDI figures every drawer is made of. Solid fills go through an opaque ExtTextOut,
// which needs no brush: painting creates no GDI object and so can leak none.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::win {

inline COLORREF rgbOf(int32_t red, int32_t green, int32_t blue) {
    return RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
}
inline int32_t redOf(COLORREF c) { return GetRValue(c); }
inline int32_t greenOf(COLORREF c) { return GetGValue(c); }
inline int32_t blueOf(COLORREF c) { return GetBValue(c); }

inline bool isEmptyRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return left >= right || top >= bottom;
}

// A solid rectangle at (x, y) of w x h; nothing when either side is not positive.
void fill(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour);
// The same for a rectangle, painted as FillRect paints it: one given right to left (or
// bottom to top) still fills, from one past its far edge to one past its near edge (Wine
// 8.0, checked); an empty one fills nothing.
void fill(HDC dc, const RECT& r, COLORREF colour);
// A frame of lines `thickness` thick inside the rectangle.
void frame(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t thickness, COLORREF colour);

// Text colour, background mode and font selected for a while, restored when it ends.
class TextState {
public:
    TextState(HDC dc, HFONT font, COLORREF colour);
    ~TextState();
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_font;
    COLORREF m_colour;
    int m_mode;
};

}  // namespace s::gui::drawer::win
