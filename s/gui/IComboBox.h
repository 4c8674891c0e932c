// s/gui/IComboBox.h
//
// A drop-down list of items, owned by it. Selection listeners get code 0 on every change
// by the user or by setSelection with events. An empty list has no selection (-1).
#pragma once
#include "s/gui/IComponent.h"
#include "s/gui/IFontOwner.h"

namespace s::gui::combobox {
class ComboBoxItem;
}  // namespace s::gui::combobox

namespace s::gui::drawer {
class ICombo;
}  // namespace s::gui::drawer

namespace s::gui {

class IComboBox : public IComponent, public IFontOwner {
public:
    virtual uint32_t getItemCount() const = 0;
    virtual s::gui::combobox::ComboBoxItem* getItem(int32_t index) const = 0;  // null outside
    virtual void addItem(s::gui::combobox::ComboBoxItem* item) = 0;
    virtual void insertItem(int32_t index, s::gui::combobox::ComboBoxItem* item) = 0;
    virtual s::gui::combobox::ComboBoxItem* removeAt(int32_t index) = 0;
    virtual void deleteAt(int32_t index) = 0;
    // Removes the item (found by identity); removing the selection tells the listeners.
    virtual s::gui::combobox::ComboBoxItem* removeItem(s::gui::combobox::ComboBoxItem* item) = 0;
    // The delete operations select item 0 first (without events), then remove and release.
    virtual void deleteItem(s::gui::combobox::ComboBoxItem* item) = 0;
    virtual void deleteByKey(int32_t key) = 0;
    virtual void deleteAtSelection() = 0;
    virtual void selectByKey(int32_t key, bool fireEvents) = 0;
    virtual s::gui::combobox::ComboBoxItem* getPreviousItem() const = 0;
    // Each item drawn in the font whose face its caption names.
    virtual void setFontPreview(bool on) = 0;
    virtual void setDrawer(s::gui::drawer::ICombo* drawer, bool owned) = 0;
    virtual void setSelection(int32_t index, bool fireEvents) = 0;
    virtual int32_t getSelectedIndex() const = 0;
    virtual s::gui::combobox::ComboBoxItem* getSelectedItem() const = 0;
    virtual int32_t getPreviousIndex() const = 0;
    virtual void addSelectionListener(s::gui::events::IEventListener* listener) = 0;
};

}  // namespace s::gui
