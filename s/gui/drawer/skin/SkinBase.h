// s/gui/drawer/skin/SkinBase.h
//
// What both skin classes are: a pooled name and fifteen owned drawer references in the
// order window, button, text, scroll bar, check box, radio button, slider, counter, list
// header, list box, status bar, menu, combo, group box, tab box.
#pragma once
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::drawer::skin {

template <class C>
class SkinBase : public PooledDrawer<C, ISkin> {
public:
    SkinBase() : m_name(s::thread::Pool<s::str::strbuffer::StrBuffer>::obtain()) {}
    ~SkinBase() override {
        clearDrawers();
        if (m_name) m_name->releaseToPool();
    }

    const wchar_t* getName() const override { return m_name ? m_name->cString() : L""; }
    void setName(const wchar_t* name) override {
        if (!m_name) return;
        m_name->clear();
        m_name->append(name ? name : L"");
    }
    IWindow* getWindowDrawer() const override { return m_window; }
    void setWindowDrawer(IWindow* drawer) override { m_window = drawer; }
    IButton* getButtonDrawer() const override { return m_button; }
    void setButtonDrawer(IButton* drawer) override { m_button = drawer; }
    IText* getTextDrawer() const override { return m_text; }
    void setTextDrawer(IText* drawer) override { m_text = drawer; }
    IScrollBar* getScrollBarDrawer() const override { return m_scrollBar; }
    void setScrollBarDrawer(IScrollBar* drawer) override { m_scrollBar = drawer; }
    ICheckBox* getCheckBoxDrawer() const override { return m_checkBox; }
    void setCheckBoxDrawer(ICheckBox* drawer) override { m_checkBox = drawer; }
    IRadioButton* getRadioButtonDrawer() const override { return m_radioButton; }
    void setRadioButtonDrawer(IRadioButton* drawer) override { m_radioButton = drawer; }
    ISlider* getSliderDrawer() const override { return m_slider; }
    void setSliderDrawer(ISlider* drawer) override { m_slider = drawer; }
    ICounter* getCounterDrawer() const override { return m_counter; }
    void setCounterDrawer(ICounter* drawer) override { m_counter = drawer; }
    IListHeader* getListHeaderDrawer() const override { return m_listHeader; }
    void setListHeaderDrawer(IListHeader* drawer) override { m_listHeader = drawer; }
    IListBox* getListBoxDrawer() const override { return m_listBox; }
    void setListBoxDrawer(IListBox* drawer) override { m_listBox = drawer; }
    IStatusBar* getStatusBarDrawer() const override { return m_statusBar; }
    void setStatusBarDrawer(IStatusBar* drawer) override { m_statusBar = drawer; }
    IMenu* getMenuDrawer() const override { return m_menu; }
    void setMenuDrawer(IMenu* drawer) override { m_menu = drawer; }
    ICombo* getComboDrawer() const override { return m_combo; }
    void setComboDrawer(ICombo* drawer) override { m_combo = drawer; }
    IGroupBox* getGroupBoxDrawer() const override { return m_groupBox; }
    void setGroupBoxDrawer(IGroupBox* drawer) override { m_groupBox = drawer; }
    ITabBox* getTabBoxDrawer() const override { return m_tabBox; }
    void setTabBoxDrawer(ITabBox* drawer) override { m_tabBox = drawer; }

    void resetForReuse() override {
        if (m_name) m_name->clear();
        clearDrawers();
    }

private:
    void clearDrawers() {
        releaseDrawer(m_window);
        releaseDrawer(m_button);
        releaseDrawer(m_text);
        releaseDrawer(m_scrollBar);
        releaseDrawer(m_checkBox);
        releaseDrawer(m_radioButton);
        releaseDrawer(m_slider);
        releaseDrawer(m_counter);
        releaseDrawer(m_listHeader);
        releaseDrawer(m_listBox);
        releaseDrawer(m_statusBar);
        releaseDrawer(m_menu);
        releaseDrawer(m_combo);
        releaseDrawer(m_groupBox);
        releaseDrawer(m_tabBox);
    }

    s::str::strbuffer::StrBuffer* m_name = nullptr;
    IWindow* m_window = nullptr;
    IButton* m_button = nullptr;
    IText* m_text = nullptr;
    IScrollBar* m_scrollBar = nullptr;
    ICheckBox* m_checkBox = nullptr;
    IRadioButton* m_radioButton = nullptr;
    ISlider* m_slider = nullptr;
    ICounter* m_counter = nullptr;
    IListHeader* m_listHeader = nullptr;
    IListBox* m_listBox = nullptr;
    IStatusBar* m_statusBar = nullptr;
    IMenu* m_menu = nullptr;
    ICombo* m_combo = nullptr;
    IGroupBox* m_groupBox = nullptr;
    ITabBox* m_tabBox = nullptr;
};

}  // namespace s::gui::drawer::skin
