// tests/s/gui/drawer/GlyphTest.cpp
//
// Every glyph caption recognised by its pixels: each paints inside the rectangle inset by
// the scale, each figure differs from every other, mirrored names give mirrored figures, and
// the figures the table fixes in words stand where it says.
#include "s/gui/drawer/button/win/Glyphs.h"

#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"

namespace {

namespace g = s::gui::drawer::button::win;
using tests::gui::Canvas;
using tests::gui::hex;
using tests::gui::ScaleScope;

constexpr int32_t kScales[] = {1, 2, 4};
constexpr COLORREF kInk = RGB(200, 30, 60);

// The glyph painted in a size x size square at the scale, as a mask.
std::string maskOf(const wchar_t* name, int32_t size, int32_t scale, int32_t* ink = nullptr) {
    Canvas canvas(size, size);
    g::paintGlyph(canvas.dc(), 0, 0, size, size, name, kInk, scale);
    if (ink) *ink = canvas.countColour(kInk);
    return canvas.mask();
}

std::string mirrored(const std::string& mask) {
    std::string out;
    size_t start = 0;
    while (start < mask.size()) {
        const size_t end = mask.find('\n', start);
        out += std::string(mask.rbegin() + (mask.size() - end), mask.rbegin() + (mask.size() - start)) + "\n";
        start = end + 1;
    }
    return out;
}

std::string transposed(const std::string& mask, int32_t size) {
    std::string out;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) out += mask[x * (size + 1) + y];
        out += '\n';
    }
    return out;
}

std::string flipped(const std::string& mask, int32_t size) {
    std::string out;
    for (int32_t y = size - 1; y >= 0; --y) out += mask.substr(y * (size + 1), size + 1);
    return out;
}

// The mask cut to its ink's bounding box: centring in an odd width may round either way.
std::string trimmed(const std::string& mask) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < mask.size()) {
        const size_t end = mask.find('\n', start);
        rows.push_back(mask.substr(start, end - start));
        start = end + 1;
    }
    size_t top = rows.size(), bottom = 0, left = std::string::npos, right = 0;
    for (size_t y = 0; y < rows.size(); ++y) {
        const size_t first = rows[y].find('#');
        if (first == std::string::npos) continue;
        top = y < top ? y : top;
        bottom = y;
        left = first < left ? first : left;
        const size_t last = rows[y].rfind('#');
        right = last > right ? last : right;
    }
    std::string out;
    for (size_t y = top; y <= bottom && y < rows.size(); ++y) out += rows[y].substr(left, right - left + 1) + "\n";
    return out;
}

std::string narrow(const wchar_t* w) { return std::string(w, w + wcslen(w)); }

TEST(GlyphTest, TheTableNamesEveryGlyph) {
    const wchar_t* names[] = {L"#_", L"#Transform", L"#.", L"#X", L"#\u25A1", L"#\u2199", L"#Play", L"#Pause",
                              L"#Stop", L"#Speaker", L"#Mute", L"#Right", L"#RightRight", L"#Left", L"#LeftLeft",
                              L"#Down", L"#Up", L"#ThumbLineV", L"#ThumbLineH", L"#Minus", L"#Plus",
                              L"#PlusMinus", L"#Check", L"#Next", L"#Prev", L"#Resizer", L"#TreeClosed",
                              L"#TreeOpen", L"#TurnRight", L"#TurnLeft", L"#OnTop", L"#FitWindow",
                              L"#FitToWindow", L"#Palm", L"#KeepRatio"};
    ASSERT_EQ(static_cast<int32_t>(sizeof(names) / sizeof(names[0])), g::glyphCount());
    for (int32_t i = 0; i < g::glyphCount(); ++i) {
        EXPECT_STREQ(names[i], g::glyphName(i));
        EXPECT_TRUE(g::isGlyphCaption(names[i]));
    }
}

TEST(GlyphTest, EveryGlyphPaintsInsideItsInsetAndDiffersFromEveryOther) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        const int32_t size = 19 * scale;
        std::map<std::string, std::string> seen;
        for (int32_t i = 0; i < g::glyphCount(); ++i) {
            const wchar_t* name = g::glyphName(i);
            SCOPED_TRACE(narrow(name) + " scale " + std::to_string(scale));
            Canvas canvas(size, size);
            EXPECT_TRUE(g::paintGlyph(canvas.dc(), 0, 0, size, size, name, kInk, scale));
            const int32_t ink = canvas.countColour(kInk);
            EXPECT_GT(ink, 2 * scale);
            EXPECT_EQ(ink, canvas.inkCount());  // one solid colour, nothing else
            EXPECT_EQ(0, canvas.inkOutside(RECT{scale, scale, size - scale, size - scale}));
            const std::string mask = canvas.mask();
            EXPECT_EQ(0u, seen.count(mask)) << "same figure as " << seen[mask];
            seen[mask] = narrow(name);
        }
    }
}

TEST(GlyphTest, MirroredNamesGiveMirroredFigures) {
    for (int32_t scale : kScales) {
        const int32_t size = 19 * scale;
        SCOPED_TRACE(scale);
        EXPECT_EQ(trimmed(maskOf(L"#Right", size, scale)), trimmed(mirrored(maskOf(L"#Left", size, scale))));
        EXPECT_EQ(trimmed(maskOf(L"#RightRight", size, scale)), trimmed(mirrored(maskOf(L"#LeftLeft", size, scale))));
        EXPECT_EQ(trimmed(maskOf(L"#Down", size, scale)), trimmed(transposed(maskOf(L"#Right", size, scale), size)));
        EXPECT_EQ(trimmed(maskOf(L"#Up", size, scale)), trimmed(flipped(maskOf(L"#Down", size, scale), size)));
        EXPECT_EQ(trimmed(maskOf(L"#ThumbLineV", size, scale)), trimmed(transposed(maskOf(L"#ThumbLineH", size, scale), size)));
        EXPECT_EQ(trimmed(maskOf(L"#Next", size, scale)), trimmed(mirrored(maskOf(L"#Prev", size, scale))));
        // Symmetric figures need an even inner width to be symmetric in the rectangle.
        const int32_t even = 20 * scale;
        EXPECT_EQ(trimmed(maskOf(L"#X", even, scale)), trimmed(mirrored(maskOf(L"#X", even, scale))));
        EXPECT_EQ(trimmed(maskOf(L"#Plus", size, scale)), trimmed(transposed(maskOf(L"#Plus", size, scale), size)));
    }
}

TEST(GlyphTest, SignsAndSpeakersContainTheirParts) {
    for (int32_t scale : kScales) {
        const int32_t size = 19 * scale;
        SCOPED_TRACE(scale);
        const std::string minus = maskOf(L"#Minus", size, scale), plus = maskOf(L"#Plus", size, scale);
        const std::string open = maskOf(L"#TreeOpen", size, scale), closed = maskOf(L"#TreeClosed", size, scale);
        for (size_t i = 0; i < minus.size(); ++i) {
            if (minus[i] == '#') {
                EXPECT_EQ('#', plus[i]) << i;
            }
            if (open[i] == '#') {
                EXPECT_EQ('#', closed[i]) << i;
            }
        }
        int32_t speaker = 0, mute = 0, stop = 0;
        maskOf(L"#Speaker", size, scale, &speaker);
        maskOf(L"#Mute", size, scale, &mute);
        maskOf(L"#Stop", size, scale, &stop);
        const int32_t box = 9 * scale;
        EXPECT_EQ(box * box, stop);  // the filled centred 9 x scale square
        EXPECT_GT(speaker, 0);
        EXPECT_GT(mute, 0);
    }
}

TEST(GlyphTest, TheFiguresTheTableFixesStandWhereItSays) {
    for (int32_t scale : kScales) {
        ScaleScope scope(scale);
        SCOPED_TRACE(scale);
        const int32_t size = 22 * scale, inner = size - 2 * scale;
        // "#_": a bar across the inner width, 2 x scale high, at 80 % of the inner height.
        Canvas bar(size, size);
        g::paintGlyph(bar.dc(), 0, 0, size, size, L"#_", kInk, scale);
        const int32_t barTop = scale + inner * 8 / 10;
        EXPECT_EQ(inner * 2 * scale, bar.countColour(kInk));
        EXPECT_TRUE(bar.inked(scale, barTop));
        EXPECT_TRUE(bar.inked(size - scale - 1, barTop + 2 * scale - 1));
        EXPECT_FALSE(bar.inked(size / 2, barTop - 1));
        // "#.": a 2 x scale dot, 3 x scale from the right edge.
        Canvas dot(size, size);
        g::paintGlyph(dot.dc(), 0, 0, size, size, L"#.", kInk, scale);
        EXPECT_EQ(4 * scale * scale, dot.countColour(kInk));
        EXPECT_TRUE(dot.inked(size - scale - 3 * scale, barTop));
        // "#X": the corners of the centred even square are ink, its middle edges are not.
        Canvas cross(size, size);
        g::paintGlyph(cross.dc(), 0, 0, size, size, L"#X", kInk, scale);
        const int32_t q = inner & ~1, qx = scale + (inner - q) / 2;
        EXPECT_TRUE(cross.inked(qx, qx));
        EXPECT_TRUE(cross.inked(qx + q - 1, qx));
        EXPECT_TRUE(cross.inked(qx + q - 1, qx + q - 1));
        EXPECT_FALSE(cross.inked(qx + q / 2, qx));
        // "#□": top edge 3 pixels thick, the others 1.
        Canvas box(size, size);
        g::paintGlyph(box.dc(), 0, 0, size, size, L"#\u25A1", kInk, scale);
        EXPECT_TRUE(box.inked(qx + q / 2, qx + 2));
        EXPECT_FALSE(box.inked(qx + q / 2, qx + 3));
        EXPECT_TRUE(box.inked(qx + q / 2, qx + q - 1));
        EXPECT_FALSE(box.inked(qx + q / 2, qx + q - 2));
        // "#Minus": as wide as the even square, a fifth of it thick (even, at least 1).
        Canvas minus(size, size);
        g::paintGlyph(minus.dc(), 0, 0, size, size, L"#Minus", kInk, scale);
        const int32_t t = (q / 5) & ~1 ? (q / 5) & ~1 : 1;
        EXPECT_EQ(q * t, minus.countColour(kInk));
        // "#ThumbLineV": two lines one step thick whose starts are 2 x scale apart.
        Canvas lines(size, size);
        g::paintGlyph(lines.dc(), 0, 0, size, size, L"#ThumbLineV", kInk, scale);
        EXPECT_EQ(2 * scale * inner, lines.countColour(kInk));
    }
}

TEST(GlyphTest, SwatchesReadTheirDigitsAsBlueGreenRed) {
    for (int32_t scale : kScales) {
        SCOPED_TRACE(scale);
        Canvas canvas(20, 20);
        EXPECT_TRUE(g::paintGlyph(canvas.dc(), 0, 0, 20, 20, L"#Color-00FF0000", kInk, scale));
        EXPECT_EQ(hex(RGB(0, 0, 255)), hex(canvas.at(10, 10)));
        EXPECT_EQ(hex(RGB(0, 0, 0)), hex(canvas.at(scale, scale)));
        EXPECT_EQ(hex(RGB(0, 0, 0)), hex(canvas.at(19 - scale, 10)));
        EXPECT_EQ(hex(RGB(0, 0, 255)), hex(canvas.at(scale + 1, scale + 1)));
        EXPECT_EQ(0, canvas.inkOutside(RECT{scale, scale, 20 - scale, 20 - scale}));
    }
    COLORREF c = 0;
    EXPECT_TRUE(g::swatchColour(L"#Color-ff102030", &c));
    EXPECT_EQ(hex(RGB(0x30, 0x20, 0x10)), hex(c));
}

TEST(GlyphTest, CaptionsThatNameNoGlyphPaintNothingAndAreText) {
    const wchar_t* texts[] = {L"#", L"#Nothing", L"#Color-00FF00GG", L"#Color-00FF00", L"#Color-00FF000000",
                              L"#right", L"Play", L"", L"#Color-"};
    for (const wchar_t* text : texts) {
        SCOPED_TRACE(narrow(text));
        Canvas canvas(20, 20);
        EXPECT_FALSE(g::paintGlyph(canvas.dc(), 0, 0, 20, 20, text, kInk, 1));
        EXPECT_FALSE(g::isGlyphCaption(text));
        EXPECT_EQ(0, canvas.inkCount());
    }
    EXPECT_FALSE(g::paintGlyph(nullptr, 0, 0, 20, 20, nullptr, kInk, 1));
}

TEST(GlyphTest, TheButtonDrawerReportsWhetherItsCaptionWasAGlyph) {
    tests::Pooled<g::Thin> button;
    Canvas canvas(20, 20);
    EXPECT_TRUE(button->drawGlyph(canvas.dc(), 0, 0, 20, 20, L"#Check", 1, 2, 3));
    EXPECT_GT(canvas.countColour(RGB(1, 2, 3)), 0);
    EXPECT_FALSE(button->drawGlyph(canvas.dc(), 0, 0, 20, 20, L"#Unknown", 1, 2, 3));
    EXPECT_FALSE(button->drawGlyph(canvas.dc(), 0, 0, 20, 20, L"Text", 1, 2, 3));
}

}  // namespace
