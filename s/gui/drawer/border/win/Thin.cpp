// s/gui/drawer/border/win/Thin.cpp
#include "s/gui/drawer/border/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::border::win {

namespace {

using s::gui::drawer::win::fill;

struct Edges {
    COLORREF top, right, bottom, left, topCorner, bottomCorner;
    bool hasBottom;
};

// Percentages are exact integers, so 240 x 85 % is 204 and never 203.99.
Edges edgesOf(int32_t kind, int32_t corner, COLORREF base, bool shaded) {
    Edges e = {};
    e.hasBottom = true;
    if (kind == 1 || kind == 3) {
        e.top = shade(base, 105, shaded);
        e.right = shade(base, 90, shaded);
        e.bottom = shade(base, 85, shaded);
        e.left = shade(base, 100, shaded);
        if (corner == 2) {
            const int32_t r = shaded ? shadeOf(GetRValue(base), 90) : GetRValue(base);
            const int32_t b = shaded ? shadeOf(GetBValue(base), 85) : GetBValue(base);
            e.right = RGB(r, r, r);
            e.bottom = RGB(b, b, b);
        }
        e.topCorner = e.top;
        e.bottomCorner = e.bottom;
        e.hasBottom = kind == 1;
    } else if (kind == 0) {
        e.top = shade(base, 115, shaded);
        e.right = shade(base, 70, shaded);
        e.bottom = shade(base, 50, shaded);
        e.left = shade(base, 105, shaded);
        e.topCorner = shade(base, 95, shaded);
        e.bottomCorner = shade(base, 45, shaded);
    } else {
        e.bottom = shade(base, 105, shaded);
        e.top = shade(base, 70, shaded);
        e.left = shade(base, 85, shaded);
        e.right = shade(base, 90, shaded);
        e.topCorner = e.top;
        e.bottomCorner = e.bottom;
    }
    return e;
}

}  // namespace

int32_t shadeOf(int32_t component, int32_t percent) {
    const int32_t value = component * percent / 100;
    return value > 255 ? 255 : value;
}

COLORREF shade(COLORREF base, int32_t percent, bool shaded) {
    if (!shaded) return base;
    return RGB(shadeOf(GetRValue(base), percent), shadeOf(GetGValue(base), percent),
               shadeOf(GetBValue(base), percent));
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t kind,
                int32_t cornerStyle, int32_t red, int32_t green, int32_t blue) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom) || kind < 0 || kind > 3) return;
    const int32_t scale = s::gui::win::uiScale();
    const int32_t t = scale >= 2 ? 2 : 1;
    const int32_t w = right - left;
    const Edges e = edgesOf(kind, cornerStyle, s::gui::drawer::win::rgbOf(red, green, blue), m_shaded);
    // Inset of the edges from each corner, and the corner block's side and place.
    int32_t inset = 0, block = 0, at = 0;
    if (cornerStyle == 1) {
        inset = t == 1 ? 1 : 2;
        block = t == 1 ? 0 : 2;
        at = 1;
    } else if (cornerStyle == 2) {
        inset = t == 1 ? 2 : 4;
        block = t;
        at = t == 1 ? 1 : 2;
    }
    fill(dc, left + inset, top, w - 2 * inset, t, e.top);
    if (e.hasBottom) fill(dc, left + inset, bottom - t, w - 2 * inset, t, e.bottom);
    const int32_t sideTop = cornerStyle ? top + inset : top + t;
    const int32_t sideBottom = cornerStyle ? bottom - inset : e.hasBottom ? bottom - t : bottom;
    fill(dc, left, sideTop, t, sideBottom - sideTop, e.left);
    fill(dc, right - t, sideTop, t, sideBottom - sideTop, e.right);
    if (block) {
        fill(dc, left + at, top + at, block, block, e.topCorner);
        fill(dc, right - at - block, top + at, block, block, e.topCorner);
        if (e.hasBottom) {
            fill(dc, left + at, bottom - at - block, block, block, e.bottomCorner);
            fill(dc, right - at - block, bottom - at - block, block, block, e.bottomCorner);
        }
    }
}

}  // namespace s::gui::drawer::border::win
