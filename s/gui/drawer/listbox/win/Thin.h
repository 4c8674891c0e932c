// s/gui/drawer/listbox/win/Thin.h
//
// The thin list drawer: the basic one with the thin look's colours; it forwards every
// operation.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/listbox/IThin.h"
#include "s/gui/drawer/listbox/win/Basic.h"

namespace s::gui::drawer::listbox::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin() : m_basic(Basic::obtain()) { resetForReuse(); }
    ~Thin() override { releaseDrawer(m_basic); }

    // IListBox
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        if (m_basic) m_basic->draw(dc, left, top, right, bottom);
    }
    void drawItem(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const ListItem& item) override {
        if (m_basic) m_basic->drawItem(dc, left, top, right, bottom, item);
    }
    bool hitsExpander(int32_t level, int32_t x, int32_t y) const override {
        return m_basic && m_basic->hitsExpander(level, x, y);
    }
    bool hitsCheckBox(int32_t level, bool expanderColumn, int32_t x, int32_t y) const override {
        return m_basic && m_basic->hitsCheckBox(level, expanderColumn, x, y);
    }
    Basic* getBasic() const { return m_basic; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_listbox_win_Thin"; }
    // IPoolable
    void resetForReuse() override {
        if (!m_basic) return;
        m_basic->resetForReuse();
        m_basic->setSelectionColour(120, 120, 120);
        m_basic->setBackgroundColour(51, 51, 51);
        m_basic->setAlternateColour(243, 243, 243);
    }

private:
    Basic* m_basic = nullptr;
};

}  // namespace s::gui::drawer::listbox::win
