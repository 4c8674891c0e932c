// s/gui/drawer/scrollbar/ScrollBarState.cpp
#include "s/gui/drawer/scrollbar/ScrollBarState.h"

namespace s::gui::drawer::scrollbar {

namespace {

constexpr int32_t kMinimumThumb = 11;

int32_t roundedRatio(int64_t numerator, int64_t denominator) {
    return denominator ? static_cast<int32_t>((2 * numerator + denominator) / (2 * denominator)) : 0;
}

// A span [from, to) of the bar's long axis as a rectangle.
RECT span(const ScrollBarState& s, const RECT& bar, int32_t from, int32_t to) {
    return s.vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
}

}  // namespace

ScrollBarGeometry scrollBarGeometry(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                    const ScrollBarState& state, int32_t thickness) {
    ScrollBarGeometry g;
    RECT bar = {left, top, right, bottom};
    int32_t start = state.vertical ? top : left, end = state.vertical ? bottom : right;
    if (state.otherBarShown) {
        g.parts[ScrollBarGeometry::kCorner] = span(state, bar, end - thickness, end);
        end -= thickness;
    }
    const int32_t length = end > start ? end - start : 0;
    const int32_t arrow = 2 * thickness <= length ? thickness : length / 2;
    g.parts[ScrollBarGeometry::kFirstArrow] = span(state, bar, start, start + arrow);
    g.parts[ScrollBarGeometry::kLastArrow] = span(state, bar, end - arrow, end);
    g.track = length - 2 * arrow;
    const int32_t trackStart = start + arrow, trackEnd = end - arrow;
    if (state.page >= state.range || state.range <= 0 || g.track <= 0) return g;
    int32_t thumb = roundedRatio(static_cast<int64_t>(state.page) * g.track, state.range);
    if (thumb < kMinimumThumb) thumb = kMinimumThumb;
    if (thumb > g.track) thumb = g.track;
    const int32_t last = state.range - state.page;
    const int32_t position = state.position < 0 ? 0 : state.position > last ? last : state.position;
    const int32_t at = trackStart + roundedRatio(static_cast<int64_t>(position) * (g.track - thumb), last);
    g.hasThumb = true;
    g.thumb = thumb;
    g.parts[ScrollBarGeometry::kPageBefore] = span(state, bar, trackStart, at);
    g.parts[ScrollBarGeometry::kThumb] = span(state, bar, at, at + thumb);
    g.parts[ScrollBarGeometry::kPageAfter] = span(state, bar, at + thumb, trackEnd);
    return g;
}

int32_t scrollBarHitTest(const ScrollBarGeometry& g, int32_t x, int32_t y) {
    const POINT p = {x, y};
    for (int32_t part = 0; part < ScrollBarGeometry::kCorner; ++part) {
        if (PtInRect(&g.parts[part], p)) return part;
    }
    return -1;
}

int32_t scrollBarPositionFromDrag(const ScrollBarGeometry& g, const ScrollBarState& state, int32_t offset) {
    const int32_t last = state.range - state.page;
    if (!g.hasThumb || last <= 0 || g.track <= g.thumb) return 0;
    const int32_t position = roundedRatio(static_cast<int64_t>(offset) * last, g.track - g.thumb);
    return position < 0 ? 0 : position > last ? last : position;
}

}  // namespace s::gui::drawer::scrollbar
