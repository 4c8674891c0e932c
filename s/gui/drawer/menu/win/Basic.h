// s/gui/drawer/menu/win/Basic.h
//
// The menu bar's drawer: fonts for normal and highlighted entries, the hover fill and the
// pressed shift, with its own text and combo drawers. The bar hands it the captions and
// the entry rectangles it measured; entry rectangles start at x 0, top 0.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/menu/IBasic.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::drawer::menu::win {

using s::gui::drawer::MenuMeasure;
using s::gui::drawer::MenuState;

// Places `count` entries of the given text sizes side by side, all as tall as the tallest;
// the collapsed bar is one button-like entry and needs room for its arrow.
MenuMeasure placeEntries(const int32_t* widths, const int32_t* heights, const int32_t* fullWidths,
                         int32_t count, int32_t spacingX, int32_t spacingY, bool collapsed, RECT* rects);

// How one entry is painted: the horizontal shift of its rectangle, and for the caption the
// extra shift and whether it takes the highlight font and the hover fill.
struct EntryLook {
    int32_t dx = 0;
    int32_t captionDx = 0;
    bool highlighted = false;
    bool filled = false;
    bool link = false;
};

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    Basic();
    ~Basic() override;

    // IDrawer
    void draw(HDC, int32_t, int32_t, int32_t, int32_t) override {}

    // IMenu
    MenuMeasure measure(HDC dc, const wchar_t* const* captions, RECT* rects, int32_t count,
                        const s::gui::IFont* normal, int32_t spacingX, int32_t spacingY, bool collapsed) override;
    // The link entry borrows the normal font's colour and underline and gives them back.
    void drawEntries(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     const wchar_t* const* captions, const RECT* rects, int32_t count, s::gui::IFont* normal,
                     s::gui::IFont* highlight, int32_t spacingX, int32_t spacingY, const MenuState& state) override;
    // The look of entry `index` of `count` in a bar `width` wide.
    EntryLook lookOf(int32_t index, int32_t count, const RECT* rects, int32_t width, const MenuState& state) const;
    // The combo face's state of the collapsed bar: 1 hovered, 2 hovered and pressed, 0 else.
    static int32_t collapsedState(const MenuState& state);

    void applyFonts(const s::gui::IFontDescription* normal, const s::gui::IFontDescription* highlight) override;
    s::gui::drawer::combo::win::Thin* getComboDrawer() const { return m_combo; }
    s::gui::drawer::text::win::Basic* getTextDrawer() const { return m_text; }
    void setHoverColour(int32_t red, int32_t green, int32_t blue) override;
    void setNormalTextColour(int32_t red, int32_t green, int32_t blue) override {
        m_normal.setTextColour(red, green, blue);
    }
    void setHighlightTextColour(int32_t red, int32_t green, int32_t blue) override {
        m_highlight.setTextColour(red, green, blue);
    }
    void setHoverFill(bool on) override { m_hoverFill = on; }
    void setPressedShift(bool on) override { m_pressedShift = on; }
    COLORREF getHoverColour() const { return m_hover; }
    bool isHoverFill() const { return m_hoverFill; }
    bool isPressedShift() const { return m_pressedShift; }
    s::gui::win::FontSetting* getNormalFont() override { return &m_normal; }
    s::gui::win::FontSetting* getHighlightFont() override { return &m_highlight; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_menu_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    void drawLink(HDC dc, const RECT& box, const wchar_t* caption, s::gui::IFont* font, bool hovered);

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
