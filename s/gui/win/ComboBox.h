// s/gui/win/ComboBox.h
//
// An owner-drawn drop-down list over the system's combo box. The items and the selection
// are kept here, so they hold before the control exists and the control only mirrors them.
#pragma once
#include "mfc/CBrush.h"
#include "s/col/_array/ArrayP.h"
#include "s/gui/IComboBox.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/gui/win/FontOwner.h"
#include "s/gui/win/FontSetting.h"

namespace s::gui::win {

class Font;

class ComboBox final : public FontOwner<ComponentBase<s::gui::IComboBox>> {
public:
    static constexpr UINT kControlId = 1020;

    ComboBox();
    ~ComboBox() override;

    uint32_t getItemCount() const override { return m_items.count(); }
    s::gui::combobox::ComboBoxItem* getItem(int32_t index) const override;
    void addItem(s::gui::combobox::ComboBoxItem* item) override;
    void insertItem(int32_t index, s::gui::combobox::ComboBoxItem* item) override;
    s::gui::combobox::ComboBoxItem* removeAt(int32_t index) override;
    void deleteAt(int32_t index) override;
    s::gui::combobox::ComboBoxItem* removeItem(s::gui::combobox::ComboBoxItem* item) override;
    void deleteItem(s::gui::combobox::ComboBoxItem* item) override;
    void deleteByKey(int32_t key) override;
    void deleteAtSelection() override;
    void selectByKey(int32_t key, bool fireEvents) override;
    s::gui::combobox::ComboBoxItem* getPreviousItem() const override { return getItem(m_previous); }
    void setFontPreview(bool on) override { m_fontPreview = on; }
    void setDrawer(s::gui::drawer::ICombo* drawer, bool owned) override;
    s::gui::drawer::ICombo* getDrawer() const { return m_drawer.get(); }
    bool isDropped() const { return m_dropped; }
    void setSelection(int32_t index, bool fireEvents) override;
    int32_t getSelectedIndex() const override { return m_selection; }
    s::gui::combobox::ComboBoxItem* getSelectedItem() const override { return getItem(m_selection); }
    int32_t getPreviousIndex() const override { return m_previous; }
    void addSelectionListener(s::gui::events::IEventListener* l) override { m_selectionListeners.add(l); }

    // In a window the box follows its localizer: on a language change every item made
    // from a text id takes its text again, the selection kept and nobody told.
    void setParent(s::gui::IComponent* parent) override;
    void onEvent(void* source, int32_t code) override;

    const wchar_t* classId() const override { return L"s_gui_win_ComboBox"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;
    FontSetting* fontSetting(int32_t index) override { return index == 0 ? &m_fontSetting : nullptr; }
    void fontChanged() override;

private:
    Font* font();
    Font* boldFont();
    // The font an item is drawn and measured in; a preview font is made for the call and
    // released by the caller (*made true).
    Font* itemFont(const s::gui::combobox::ComboBoxItem* item, int32_t flags, bool* made);
    void selectionChanged();
    void retextItems();
    void drawItem(const DRAWITEMSTRUCT* item);
    void sizeDropDown();
    void keepTopIndex();
    void selectFirstSilently();
    LRESULT colourAnswer(HDC dc);

    s::col::_array::ArrayP m_items;
    int32_t m_selection = -1, m_previous = -1;
    FontSetting m_fontSetting;
    Font* m_font = nullptr;
    Font* m_boldFont = nullptr;
    s::gui::events::ListenerList m_selectionListeners;
    DrawerHolder<s::gui::drawer::ICombo> m_drawer;
    bool m_dropped = false;
    bool m_firstDrawAfterDrop = false;
    int32_t m_closedTopIndex = -1;
    bool m_fontPreview = false;
    CBrush m_brush;
};

ComboBox* newComboBox(double width);

}  // namespace s::gui::win
