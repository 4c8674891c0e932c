// s/gui/combobox/ComboBoxItem.h
//
// One entry of a combo box: a caption from the language pack (or a literal), a key the
// program chooses by, and flags for how it is drawn.
#pragma once
#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class ITextLocalizer;
}  // namespace s::gui

namespace s::gui::combobox {

class ComboBoxItem final : public s::base::IObject,
                           public s::gui::events::IEventListener,
                           public virtual s::thread::IPoolable {
public:
    // An item whose caption is the localizer's text of the id (null localizer: empty).
    static ComboBoxItem* create(s::gui::ITextLocalizer* localizer, int32_t textId);
    static ComboBoxItem* withCaption(const wchar_t* caption);

    const wchar_t* getCaption() const { return m_caption.cString(); }
    void setCaption(const wchar_t* caption);
    int32_t getTextId() const { return m_textId; }
    int32_t getKey() const { return m_key; }
    void setKey(int32_t key) { m_key = key; }
    int32_t getListFlags() const { return m_listFlags; }
    void setListFlags(int32_t flags) { m_listFlags = flags; }
    // How the closed box shows the item while it is the selection.
    int32_t getClosedFlags() const { return m_closedFlags; }
    void setClosedFlags(int32_t flags) { m_closedFlags = flags; }
    // The localizer's language changed: the caption follows.
    void onEvent(void* source, int32_t code) override;

    const wchar_t* classId() const override { return L"s_gui_combobox_ComboBoxItem"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

private:
    s::str::strbuffer::StrBuffer m_caption;
    int32_t m_textId = -1;
    s::gui::ITextLocalizer* m_localizer = nullptr;
    int32_t m_key = 0, m_listFlags = 0, m_closedFlags = 0;
};

}  // namespace s::gui::combobox
