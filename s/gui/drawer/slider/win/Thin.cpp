// s/gui/drawer/slider/win/Thin.cpp
#include "s/gui/drawer/slider/win/Thin.h"

#include "s/gui/drawer/slider/ColourRamps.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/SliderRules.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::slider::win {

using s::gui::drawer::win::fill;
using s::gui::drawer::win::rgbOf;

namespace {

COLORREF blend(COLORREF a, COLORREF b, int32_t i, int32_t n) {
    auto mix = [&](int32_t x, int32_t y) { return n > 1 ? x + (y - x) * i / (n - 1) : x; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

COLORREF rampColour(const SliderState& s, int32_t i, int32_t n) {
    const int32_t one = GetRValue(s.colourOne) * 100 / 255, two = GetRValue(s.colourTwo) * 100 / 255;
    const int32_t hue = n > 1 ? 359 * i / (n - 1) : 0, percent = n > 1 ? 100 * i / (n - 1) : 0;
    const int32_t hueOne = GetRValue(s.colourOne) * 359 / 255;
    switch (s.gradientStyle) {
        case 1: return blend(s.colourOne, s.colourTwo, i, n);
        case 2: return hsvToRgb(hue, one, two);
        case 3: return hsvToRgb(hueOne, percent, two);
        case 4: return hsvToRgb(hueOne, one, percent);
        case 5: return hslToRgb(hue, one, two);
        case 6: return hslToRgb(hueOne, percent, two);
        default: return hslToRgb(hueOne, one, percent);
    }
}

}  // namespace

Thin::Thin()
    : m_border(s::gui::drawer::border::win::Thin::obtain()),
      m_thumbBorder(s::gui::drawer::border::win::Thin::obtain()) {
    resetForReuse();
}

Thin::~Thin() {
    releaseDrawer(m_border);
    releaseDrawer(m_thumbBorder);
}

void Thin::resetForReuse() {
    m_borderStyle = 1;
    m_track = RGB(176, 176, 176);
    m_frame = m_disabled = RGB(120, 120, 120);
}

void Thin::setTrackColour(int32_t r, int32_t g, int32_t b) { m_track = rgbOf(r, g, b); }
void Thin::setFrameColour(int32_t r, int32_t g, int32_t b) { m_frame = rgbOf(r, g, b); }
void Thin::setDisabledColour(int32_t r, int32_t g, int32_t b) { m_disabled = rgbOf(r, g, b); }

int32_t Thin::thumbX(int32_t left, int32_t right, const SliderState& state, int32_t position) const {
    const int32_t thumb = s::gui::win::sliderrules::kThumbWidth * s::gui::win::uiScale();
    return left + s::gui::win::sliderrules::thumbX(right - left, thumb, 0, state.range, position);
}

// Inside the border, when there is one.
RECT Thin::innerRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    const int32_t t = s::gui::win::uiScale() >= 2 ? 2 : 1;
    if (m_borderStyle != 1 && m_borderStyle != 2) return RECT{left, top, right, bottom};
    return RECT{left + t, top + t, right - t, bottom - t};
}

RECT Thin::thumbRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const SliderState& state,
                     int32_t position) {
    const RECT inner = innerRect(left, top, right, bottom);
    const int32_t x = thumbX(inner.left, inner.right, state, position);
    return RECT{x, inner.top, x + s::gui::win::sliderrules::kThumbWidth * s::gui::win::uiScale(), inner.bottom};
}

void Thin::paintRamp(HDC dc, const RECT& inner, const SliderState& state, int32_t thumb) const {
    const int32_t from = inner.left + thumb / 2, n = inner.right - inner.left - thumb;
    for (int32_t i = 0; i < n; ++i) {
        fill(dc, from + i, inner.top, 1, inner.bottom - inner.top, rampColour(state, i, n));
    }
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const SliderState& state) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t thumb = s::gui::win::sliderrules::kThumbWidth * s::gui::win::uiScale();
    const COLORREF frame = state.enabled ? m_frame : m_disabled;
    const COLORREF track = state.enabled ? m_track : m_disabled;
    const bool bordered = m_borderStyle == 1 || m_borderStyle == 2;
    if (bordered) {
        m_border->draw(dc, left, top, right, bottom, 1, m_borderStyle, GetRValue(frame), GetGValue(frame),
                       GetBValue(frame));
    }
    const RECT inner = innerRect(left, top, right, bottom);
    if (state.gradientStyle > 0 && state.gradientStyle <= 7) paintRamp(dc, inner, state, thumb);
    const int32_t x = thumbX(inner.left, inner.right, state, state.position);
    if (state.levelFill) {
        const int32_t from = state.rangeMode ? thumbX(inner.left, inner.right, state, state.secondPosition) + thumb
                                             : inner.left;
        fill(dc, from, inner.top, x - from, inner.bottom - inner.top, track);
    }
    auto paintThumb = [&](int32_t at) {
        fill(dc, at, inner.top, thumb, inner.bottom - inner.top, frame);
        m_thumbBorder->draw(dc, at, inner.top, at + thumb, inner.bottom, 1, 0, GetRValue(track), GetGValue(track),
                            GetBValue(track));
    };
    paintThumb(x);
    if (state.rangeMode) paintThumb(thumbX(inner.left, inner.right, state, state.secondPosition));
}

}  // namespace s::gui::drawer::slider::win
