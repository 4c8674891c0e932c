// s/gui/menuitem/MenuItem.h
//
// One entry of a pop-up menu: a caption (literal, or the text of a language-pack id), a
// command id, a check or radio mark, or a separator. Pooled, capacity 1000.
#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IComponent;
class ITextLocalizer;
}  // namespace s::gui

namespace s::gui::menuitem {

class MenuItem : public s::base::IObject, public s::thread::IPoolable {
public:
    static MenuItem* obtain();
    // A caption read from the text id in the localizer's current language.
    static MenuItem* create(s::gui::ITextLocalizer* localizer, int32_t textId, int32_t commandId, bool checked);
    // Adds component to container unless either is null, and returns the container, so
    // that a layout can be written as one chain of calls.
    static s::gui::IComponent* addChild(s::gui::IComponent* container, s::gui::IComponent* component);

    // The caption: the text of the id when the item has one, else the literal caption.
    const wchar_t* getCaption() const;
    void setCaption(const wchar_t* caption) { m_caption = caption ? caption : L""; }
    int32_t getTextId() const { return m_textId; }
    void setTextId(int32_t id) { m_textId = id; }
    void setLocalizer(s::gui::ITextLocalizer* localizer) { m_localizer = localizer; }
    int32_t getCommandId() const { return m_commandId; }
    void setCommandId(int32_t id) { m_commandId = id; }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked) { m_checked = checked; }
    bool isRadio() const { return m_radio; }
    void setRadio(bool radio) { m_radio = radio; }
    bool isSeparator() const { return m_separator; }
    void setSeparator(bool separator) { m_separator = separator; }
    int32_t getKey() const { return m_key; }
    void setKey(int32_t key) { m_key = key; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_menuitem_MenuItem"; }
    s::base::IObject* newInstance() const override { return obtain(); }
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    s::gui::ITextLocalizer* m_localizer = nullptr;
    std::wstring m_caption;
    int32_t m_textId = -1;
    int32_t m_commandId = -1;
    bool m_checked = false;
    bool m_radio = false;
    bool m_separator = false;
    int32_t m_key = 0;
};

// A pooled item with a literal caption and no mark.
MenuItem* newMenuItem(const wchar_t* caption, int32_t commandId);
MenuItem* newMenuSeparator();

}  // namespace s::gui::menuitem
