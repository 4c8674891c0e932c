// s/gui/drawer/slider/win/Thin.h
//
// The thin slider: a bordered track, an optional colour ramp or level fill, and the thumb
// (10 x scale wide, left out of the ramp). Disabled sliders use the disabled colour for
// frame and track.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/slider/IThin.h"
#include "s/gui/drawer/slider/SliderState.h"

namespace s::gui::drawer::slider::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;

    // ISlider
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const SliderState& state) override;
    RECT thumbRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const SliderState& state,
                   int32_t position) override;

    void setBorderStyle(int32_t style) { m_borderStyle = style; }
    int32_t getBorderStyle() const { return m_borderStyle; }
    void setTrackColour(int32_t red, int32_t green, int32_t blue);
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    void setDisabledColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getTrackColour() const { return m_track; }
    COLORREF getFrameColour() const { return m_frame; }
    COLORREF getDisabledColour() const { return m_disabled; }
    // The thumb's left edge for a position.
    int32_t thumbX(int32_t left, int32_t right, const SliderState& state, int32_t position) const;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_slider_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    RECT innerRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
    void paintRamp(HDC dc, const RECT& inner, const SliderState& state, int32_t thumb) const;

    int32_t m_borderStyle = 1;
    COLORREF m_track = 0;
    COLORREF m_frame = 0;
    COLORREF m_disabled = 0;
    s::gui::drawer::border::win::Thin* m_border = nullptr;
    s::gui::drawer::border::win::Thin* m_thumbBorder = nullptr;
};

}  // namespace s::gui::drawer::slider::win
