// s/gui/drawer/menu/win/Basic.h
//
// The menu bar's drawer: fonts for normal and highlighted entries, the hover fill and the
// pressed shift, with its own text and combo drawers. Measuring and painting the entries
// come with the menu bar; until then draw paints nothing.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/menu/IBasic.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::drawer::menu::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    Basic();
    ~Basic() override;

    // IDrawer
    void draw(HDC, int32_t, int32_t, int32_t, int32_t) override {}

    // Copies two components' font descriptions into the normal and the highlight font.
    void applyFonts(const s::gui::IFontDescription* normal, const s::gui::IFontDescription* highlight);
    s::gui::drawer::combo::win::Thin* getComboDrawer() const { return m_combo; }
    s::gui::drawer::text::win::Basic* getTextDrawer() const { return m_text; }
    void setHoverColour(int32_t red, int32_t green, int32_t blue);
    void setNormalTextColour(int32_t red, int32_t green, int32_t blue) { m_normal.setTextColour(red, green, blue); }
    void setHighlightTextColour(int32_t red, int32_t green, int32_t blue) {
        m_highlight.setTextColour(red, green, blue);
    }
    void setHoverFill(bool on) { m_hoverFill = on; }
    void setPressedShift(bool on) { m_pressedShift = on; }
    COLORREF getHoverColour() const { return m_hover; }
    bool isHoverFill() const { return m_hoverFill; }
    bool isPressedShift() const { return m_pressedShift; }
    s::gui::win::FontSetting* getNormalFont() { return &m_normal; }
    s::gui::win::FontSetting* getHighlightFont() { return &m_highlight; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_menu_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    s::gui::win::FontSetting m_normal;
    s::gui::win::FontSetting m_highlight;
    COLORREF m_hover = 0;
    bool m_hoverFill = true;
    bool m_pressedShift = false;
    s::gui::drawer::text::win::Basic* m_text = nullptr;
    s::gui::drawer::combo::win::Thin* m_combo = nullptr;
};

// A pooled menu drawer with these colours, no hover fill and the pressed shift on.
Basic* newMenuDrawer(int32_t normalRed, int32_t normalGreen, int32_t normalBlue, int32_t hoverRed,
                     int32_t hoverGreen, int32_t hoverBlue, int32_t highlightRed, int32_t highlightGreen,
                     int32_t highlightBlue);

}  // namespace s::gui::drawer::menu::win
