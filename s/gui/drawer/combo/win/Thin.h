// s/gui/drawer/combo/win/Thin.h
//
// The thin combo face: a button with no caption, the selected text, a separator column and
// the down arrow at the right; hovered or pressed faces shift their content by a step.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/combo/IThin.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::combo::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;

    // ICombo
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
              const s::gui::IFont* font, int32_t state, bool enabled) override;

    void setTextColour(int32_t red, int32_t green, int32_t blue);
    void setDisabledTextColour(int32_t red, int32_t green, int32_t blue);
    // The arrow, the separator and the face's frame.
    void setArrowColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getArrowColour() const { return m_arrow; }
    s::gui::drawer::text::win::Basic* getText() const { return m_text; }
    s::gui::drawer::button::win::Thin* getButton() const { return m_button; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_combo_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    COLORREF m_arrow = 0;
    s::gui::drawer::text::win::Basic* m_text = nullptr;
    s::gui::drawer::button::win::Thin* m_button = nullptr;
};

}  // namespace s::gui::drawer::combo::win
