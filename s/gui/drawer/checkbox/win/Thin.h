// s/gui/drawer/checkbox/win/Thin.h
//
// The thin check box: a framed white box at the left with a check mark when checked, and
// the caption after it.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/IThin.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::checkbox::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;

    // ICheckBox
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize,
              const wchar_t* caption, const s::gui::IFont* font, bool enabled, bool checked) override;

    void setFlagOne(bool on) { m_flagOne = on; }
    void setFlagTwo(bool on) { m_flagTwo = on; }
    bool getFlagOne() const { return m_flagOne; }
    bool getFlagTwo() const { return m_flagTwo; }
    void setTextColour(int32_t red, int32_t green, int32_t blue);
    void setDisabledTextColour(int32_t red, int32_t green, int32_t blue);
    void setBoxFrameColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getTextColour() const { return m_text; }
    COLORREF getBoxFrameColour() const { return m_boxFrame; }
    s::gui::drawer::text::win::Basic* getText() const { return m_textDrawer; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_checkbox_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    bool m_flagOne = true;
    bool m_flagTwo = false;
    COLORREF m_text = 0;
    COLORREF m_boxFrame = 0;
    s::gui::drawer::button::win::Thin* m_mark = nullptr;
    s::gui::drawer::text::win::Basic* m_textDrawer = nullptr;
};

// The caption of a check or radio mark, vertically centred from x to the right edge.
void drawMarkCaption(s::gui::drawer::text::win::Basic* text, HDC dc, int32_t x, int32_t top, int32_t right,
                     int32_t bottom, const wchar_t* caption, const s::gui::IFont* font);

}  // namespace s::gui::drawer::checkbox::win
