// s/gui/drawer/listbox/win/Basic.h
//
// The list drawer: the list's background, and one item at a time with its selection, drop
// marker, tree expander, check box, image and column texts; and the hit tests of its parts.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/listbox/IBasic.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::listbox::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    Basic();
    ~Basic() override;
    // Background 255,255,255, text 0,0,0, the system's highlight colours for the selection,
    // alternate rows 238,238,238.
    static Basic* newDefault();

    // IListBox
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void drawItem(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const ListItem& item) override;
    bool hitsExpander(int32_t level, int32_t x, int32_t y) const override;
    bool hitsCheckBox(int32_t level, bool expanderColumn, int32_t x, int32_t y) const override;

    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    void setTextColour(int32_t red, int32_t green, int32_t blue);
    void setSelectionColour(int32_t red, int32_t green, int32_t blue);
    void setSelectionTextColour(int32_t red, int32_t green, int32_t blue);
    void setAlternateColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getBackgroundColour() const { return m_background; }
    COLORREF getTextColour() const { return m_text; }
    COLORREF getSelectionColour() const { return m_selection; }
    COLORREF getSelectionTextColour() const { return m_selectionText; }
    COLORREF getAlternateColour() const { return m_alternate; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_listbox_win_Basic"; }
    // IPoolable
    void resetForReuse() override;

private:
    int32_t paintParts(HDC dc, int32_t left, int32_t top, int32_t bottom, const ListItem& item, int32_t s);
    void paintColumns(HDC dc, int32_t x, int32_t top, int32_t right, int32_t bottom, const ListItem& item);

    COLORREF m_selection = 0;
    COLORREF m_background = 0;
    COLORREF m_alternate = 0;
    COLORREF m_text = 0;
    COLORREF m_selectionText = 0;
    s::gui::drawer::button::win::Thin* m_glyphs = nullptr;
    s::gui::drawer::text::win::Basic* m_itemText = nullptr;
    s::gui::drawer::text::win::Basic* m_selectedText = nullptr;
};

}  // namespace s::gui::drawer::listbox::win
