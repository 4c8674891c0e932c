// s/gui/drawer/button/win/Glyphs.cpp
#include "s/gui/drawer/button/win/Glyphs.h"

#include <cwchar>

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::button::win {

namespace {

// The inner rectangle a figure is painted in, with its colour and scale.
struct Pen {
    HDC dc;
    int32_t x, y, w, h, s;
    COLORREF c;
    void fill(int32_t px, int32_t py, int32_t pw, int32_t ph) const {
        // Clipped to the inner rectangle: no figure ever paints outside it.
        int32_t l = px < x ? x : px, t = py < y ? y : py;
        int32_t r = px + pw > x + w ? x + w : px + pw, b = py + ph > y + h ? y + h : py + ph;
        s::gui::drawer::win::fill(dc, l, t, r - l, b - t, c);
    }
    void outline(int32_t px, int32_t py, int32_t side, int32_t topThickness) const {
        fill(px, py, side, topThickness);
        fill(px, py + side - 1, side, 1);
        fill(px, py, 1, side);
        fill(px + side - 1, py, 1, side);
    }
    // The largest even square that fits, centred.
    int32_t square() const { return (w < h ? w : h) & ~1; }
    int32_t squareX() const { return x + (w - square()) / 2; }
    int32_t squareY() const { return y + (h - square()) / 2; }
    // The 9 x scale box of the media figures (smaller when the rectangle is), centred.
    int32_t box() const {
        int32_t u = 9 * s;
        if (u > w) u = w;
        if (u > h) u = h;
        return u;
    }
    int32_t at80() const { return y + h * 8 / 10; }
};

void barLow(const Pen& p) { p.fill(p.x, p.at80(), p.w, 2 * p.s); }

void transform(const Pen& p) {
    p.fill(p.x, p.y, p.w, 2);
    p.fill(p.x, p.y, 2, 4);
    p.fill(p.x + p.w - 2, p.y, 2, 4);
    const int32_t low = p.at80();
    p.fill(p.x, low, p.w, 2);
    p.fill(p.x, low - 2, 2, 4);
    p.fill(p.x + p.w - 2, low - 2, 2, 4);
}

void dot(const Pen& p) { p.fill(p.x + p.w - 3 * p.s, p.at80(), 2 * p.s, 2 * p.s); }

void cross(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY(), d = 2 * p.s;
    for (int32_t i = 0; i + d <= q; i += p.s) {
        p.fill(qx + i, qy + i, d, d);
        p.fill(qx + q - d - i, qy + i, d, d);
    }
}

void maximise(const Pen& p) { p.outline(p.squareX(), p.squareY(), p.square(), 3); }

void restore(const Pen& p) {
    const int32_t q = p.square() - 3, qx = p.squareX(), qy = p.squareY();
    p.outline(qx + 3, qy, q, 2);
    p.outline(qx, qy + 3, q, 2);
}

struct Box {
    int32_t x, y, u;
};
Box mediaBox(const Pen& p) {
    const int32_t u = p.box();
    return {p.x + (p.w - u) / 2, p.y + (p.h - u) / 2, u};
}

void play(const Pen& p) {
    const Box b = mediaBox(p);
    for (int32_t i = 0; 2 * i < b.u; ++i) p.fill(b.x + i, b.y + i, 1, b.u - 2 * i);
}

void pause(const Pen& p) {
    const Box b = mediaBox(p);
    const int32_t bar = b.u / 3;
    p.fill(b.x, b.y, bar, b.u);
    p.fill(b.x + b.u - bar, b.y, bar, b.u);
}

void stop(const Pen& p) {
    const Box b = mediaBox(p);
    p.fill(b.x, b.y, b.u, b.u);
}

void speakerBody(const Pen& p, const Box& b) {
    const int32_t third = b.u / 3, quarter = b.u / 4 ? b.u / 4 : 1;
    p.fill(b.x, b.y + third, quarter, b.u - 2 * third);
    for (int32_t i = 0; i < quarter + 1; ++i) p.fill(b.x + quarter + i, b.y + third - i, 1, b.u - 2 * third + 2 * i);
}

void speaker(const Pen& p) {
    const Box b = mediaBox(p);
    speakerBody(p, b);
    const int32_t x = b.x + b.u * 2 / 3, t = p.s;
    p.fill(x, b.y + b.u / 3, t, b.u - 2 * (b.u / 3));
    p.fill(b.x + b.u - t, b.y + b.u / 6, t, b.u - 2 * (b.u / 6));
}

void mute(const Pen& p) {
    const Box b = mediaBox(p);
    speakerBody(p, b);
    p.fill(b.x + b.u - 2 * p.s, b.y, 2 * p.s, b.u);
}

enum Way { kRight, kLeft, kDown, kUp };

// One chevron of d x d squares stepping one pixel at a time, its tip pointing `way`,
// spanning `depth` pixels that way from (ox, oy) (the back of the chevron's box).
void chevron(const Pen& p, Way way, int32_t ox, int32_t oy, int32_t k, int32_t d) {
    for (int32_t i = 0; i <= k; ++i) {
        switch (way) {
            case kRight:
                p.fill(ox + i, oy + i, d, d);
                p.fill(ox + i, oy + 2 * k - i, d, d);
                break;
            case kLeft:
                p.fill(ox + k - i, oy + i, d, d);
                p.fill(ox + k - i, oy + 2 * k - i, d, d);
                break;
            case kDown:
                p.fill(ox + i, oy + i, d, d);
                p.fill(ox + 2 * k - i, oy + i, d, d);
                break;
            case kUp:
                p.fill(ox + i, oy + k - i, d, d);
                p.fill(ox + 2 * k - i, oy + k - i, d, d);
                break;
        }
    }
}

void chevrons(const Pen& p, Way way, int32_t count) {
    const int32_t d = p.s >= 2 ? 4 : 2, gap = count > 1 ? 6 : 0;
    const bool across = way == kRight || way == kLeft;
    const int32_t along = across ? p.w : p.h, side = across ? p.h : p.w;
    int32_t k = (side - d) / 2;
    if (k > along - d - gap) k = along - d - gap;
    if (k > 4 * p.s) k = 4 * p.s;
    if (k < 1) return;
    const int32_t depth = k + d + gap, breadth = 2 * k + d;
    const int32_t ox = p.x + ((across ? depth : breadth) > p.w ? 0 : (p.w - (across ? depth : breadth)) / 2);
    const int32_t oy = p.y + ((across ? breadth : depth) > p.h ? 0 : (p.h - (across ? breadth : depth)) / 2);
    for (int32_t n = 0; n < count; ++n) {
        const int32_t shift = n * gap;
        chevron(p, way, across ? ox + shift : ox, across ? oy : oy + shift, k, d);
    }
}

void thumbLinesV(const Pen& p) {
    const int32_t x = p.x + (p.w - 3 * p.s) / 2;
    p.fill(x, p.y, p.s, p.h);
    p.fill(x + 2 * p.s, p.y, p.s, p.h);
}

void thumbLinesH(const Pen& p) {
    const int32_t y = p.y + (p.h - 3 * p.s) / 2;
    p.fill(p.x, y, p.w, p.s);
    p.fill(p.x, y + 2 * p.s, p.w, p.s);
}

int32_t signThickness(int32_t q) {
    const int32_t t = (q / 5) & ~1;
    return t < 1 ? 1 : t;
}

void minus(const Pen& p) {
    const int32_t q = p.square(), t = signThickness(q);
    p.fill(p.squareX(), p.squareY() + (q - t) / 2, q, t);
}

void plus(const Pen& p) {
    const int32_t q = p.square(), t = signThickness(q);
    minus(p);
    p.fill(p.squareX() + (q - t) / 2, p.squareY(), t, q);
}

void plusMinus(const Pen& p) {
    const int32_t q = p.square(), t = signThickness(q), qx = p.squareX(), qy = p.squareY();
    const int32_t upper = q * 2 / 3;
    p.fill(qx, qy + (upper - t) / 2, q, t);
    p.fill(qx + (q - t) / 2, qy, t, upper);
    p.fill(qx, qy + q - t, q, t);
}

void check(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY();
    const int32_t d = q / 6 > 2 ? q / 6 : 2;
    const int32_t shortArm = q / 3, turnX = qx + shortArm, turnY = qy + q - d;
    for (int32_t i = 0; i <= shortArm; ++i) p.fill(turnX - i, turnY - i, d, d);
    for (int32_t i = 0; turnX + i + d <= qx + q && turnY - i >= qy; ++i) p.fill(turnX + i, turnY - i, d, d);
}

void step(const Pen& p, bool next) {
    const Box b = mediaBox(p);
    const int32_t bar = p.s + 1, tri = b.u - bar - p.s;
    for (int32_t i = 0; 2 * i < b.u; ++i) {
        const int32_t col = next ? b.x + i : b.x + b.u - 1 - i;
        if (i < tri) p.fill(col, b.y + i, 1, b.u - 2 * i);
    }
    p.fill(next ? b.x + b.u - bar : b.x, b.y, bar, b.u);
}

void resizer(const Pen& p) {
    const int32_t d = 2 * p.s, pitch = 2 * d;
    for (int32_t row = 0; row < 3; ++row) {
        for (int32_t col = 0; col <= row; ++col) {
            p.fill(p.x + p.w - d - col * pitch, p.y + p.h - d - (2 - row) * pitch, d, d);
        }
    }
}

void tree(const Pen& p, bool open) {
    const int32_t q = p.square() > 9 * p.s ? 9 * p.s : p.square(), qx = p.x + (p.w - q) / 2, qy = p.y + (p.h - q) / 2;
    p.outline(qx, qy, q, p.s);
    p.fill(qx, qy + q - p.s, q, p.s);
    p.fill(qx, qy, p.s, q);
    p.fill(qx + q - p.s, qy, p.s, q);
    const int32_t mid = (q - p.s) / 2;
    p.fill(qx + 2 * p.s, qy + mid, q - 4 * p.s, p.s);
    if (!open) p.fill(qx + mid, qy + 2 * p.s, p.s, q - 4 * p.s);
}

void turn(const Pen& p, bool right) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY(), t = p.s;
    const int32_t head = q / 3;
    // An open frame with the gap at the top on the arrow's side, the head at the gap.
    p.fill(qx, qy + head, t, q - head);
    p.fill(qx + q - t, qy + head, t, q - head);
    p.fill(qx, qy + q - t, q, t);
    p.fill(right ? qx : qx + head, qy + head, q - head, t);
    const int32_t hx = right ? qx + q - head : qx;
    for (int32_t i = 0; i < head; ++i) p.fill(hx + (right ? i : head - 1 - i), qy + i, 1, 2 * (head - i));
}

void onTop(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY();
    p.fill(qx, qy, q, 2 * p.s);
    p.fill(qx + q / 4, qy + 2 * p.s, q / 2, q / 3);
    p.fill(qx + (q - p.s) / 2, qy, p.s, q);
}

void fitWindow(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY();
    p.outline(qx, qy, q, p.s);
    p.fill(qx + q / 4, qy + q / 4, q / 2, q / 2);
}

void fitToWindow(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY(), arm = q / 3, t = p.s;
    const int32_t xs[2] = {qx, qx + q - arm}, ys[2] = {qy, qy + q - t};
    for (int32_t x : xs) {
        for (int32_t y : ys) p.fill(x, y, arm, t);
    }
    p.fill(qx, qy, t, arm);
    p.fill(qx + q - t, qy, t, arm);
    p.fill(qx, qy + q - arm, t, arm);
    p.fill(qx + q - t, qy + q - arm, t, arm);
}

void palm(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY();
    const int32_t finger = q / 5 > 1 ? q / 5 : 1;
    p.fill(qx + finger, qy + q / 2, q - finger, q / 2);
    for (int32_t i = 0; i < 3; ++i) p.fill(qx + finger + i * (finger + finger / 2 + 1), qy, finger, q / 2);
    p.fill(qx, qy + q / 3, finger, q / 3);
}

void keepRatio(const Pen& p) {
    const int32_t q = p.square(), qx = p.squareX(), qy = p.squareY();
    const int32_t tall = q * 2 / 3;
    p.outline(qx, qy + (q - tall) / 2, q, p.s);
    p.fill(qx, qy + (q - tall) / 2 + tall - p.s, q, p.s);
    p.fill(qx, qy + (q - tall) / 2, p.s, tall);
    p.fill(qx + q - p.s, qy + (q - tall) / 2, p.s, tall);
    cross(Pen{p.dc, qx + q / 4, qy + (q - tall) / 2 + p.s, q / 2, tall - 2 * p.s, p.s, p.c});
}

struct Entry {
    const wchar_t* name;
    void (*paint)(const Pen&);
};

const Entry kGlyphs[] = {
    {L"#_", barLow},
    {L"#Transform", transform},
    {L"#.", dot},
    {L"#X", cross},
    {L"#\u25A1", maximise},
    {L"#\u2199", restore},
    {L"#Play", play},
    {L"#Pause", pause},
    {L"#Stop", stop},
    {L"#Speaker", speaker},
    {L"#Mute", mute},
    {L"#Right", [](const Pen& p) { chevrons(p, kRight, 1); }},
    {L"#RightRight", [](const Pen& p) { chevrons(p, kRight, 2); }},
    {L"#Left", [](const Pen& p) { chevrons(p, kLeft, 1); }},
    {L"#LeftLeft", [](const Pen& p) { chevrons(p, kLeft, 2); }},
    {L"#Down", [](const Pen& p) { chevrons(p, kDown, 1); }},
    {L"#Up", [](const Pen& p) { chevrons(p, kUp, 1); }},
    {L"#ThumbLineV", thumbLinesV},
    {L"#ThumbLineH", thumbLinesH},
    {L"#Minus", minus},
    {L"#Plus", plus},
    {L"#PlusMinus", plusMinus},
    {L"#Check", check},
    {L"#Next", [](const Pen& p) { step(p, true); }},
    {L"#Prev", [](const Pen& p) { step(p, false); }},
    {L"#Resizer", resizer},
    {L"#TreeClosed", [](const Pen& p) { tree(p, false); }},
    {L"#TreeOpen", [](const Pen& p) { tree(p, true); }},
    {L"#TurnRight", [](const Pen& p) { turn(p, true); }},
    {L"#TurnLeft", [](const Pen& p) { turn(p, false); }},
    {L"#OnTop", onTop},
    {L"#FitWindow", fitWindow},
    {L"#FitToWindow", fitToWindow},
    {L"#Palm", palm},
    {L"#KeepRatio", keepRatio},
};
constexpr int32_t kGlyphCount = sizeof(kGlyphs) / sizeof(kGlyphs[0]);
constexpr wchar_t kSwatchPrefix[] = L"#Color-";
constexpr size_t kSwatchPrefixLength = 7;

int32_t hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

const Entry* entryOf(const wchar_t* caption) {
    for (const Entry& e : kGlyphs) {
        if (std::wcscmp(e.name, caption) == 0) return &e;
    }
    return nullptr;
}

}  // namespace

bool swatchColour(const wchar_t* caption, COLORREF* colour) {
    if (!caption || std::wcsncmp(caption, kSwatchPrefix, kSwatchPrefixLength) != 0) return false;
    const wchar_t* digits = caption + kSwatchPrefixLength;
    if (std::wcslen(digits) != 8) return false;
    int32_t v[8];
    for (int i = 0; i < 8; ++i) {
        if ((v[i] = hexValue(digits[i])) < 0) return false;
    }
    const int32_t blue = v[2] * 16 + v[3], green = v[4] * 16 + v[5], red = v[6] * 16 + v[7];
    *colour = RGB(red, green, blue);
    return true;
}

bool isGlyphCaption(const wchar_t* caption) {
    if (!caption || caption[0] != L'#') return false;
    COLORREF unused;
    return entryOf(caption) || swatchColour(caption, &unused);
}

bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                const wchar_t* caption, COLORREF colour, int32_t scale) {
    if (!caption || caption[0] != L'#') return false;
    const Pen pen = {dc, left + scale, top + scale, right - left - 2 * scale, bottom - top - 2 * scale, scale, colour};
    COLORREF swatch;
    if (const Entry* e = entryOf(caption)) {
        if (pen.w > 0 && pen.h > 0) e->paint(pen);
        return true;
    }
    if (!swatchColour(caption, &swatch)) return false;
    if (pen.w > 0 && pen.h > 0) {
        // The swatch's frame is black whatever colour the caption is drawn in.
        s::gui::drawer::win::fill(dc, pen.x, pen.y, pen.w, pen.h, RGB(0, 0, 0));
        s::gui::drawer::win::fill(dc, pen.x + 1, pen.y + 1, pen.w - 2, pen.h - 2, swatch);
    }
    return true;
}

int32_t glyphCount() { return kGlyphCount; }
const wchar_t* glyphName(int32_t index) { return index >= 0 && index < kGlyphCount ? kGlyphs[index].name : nullptr; }

}  // namespace s::gui::drawer::button::win
