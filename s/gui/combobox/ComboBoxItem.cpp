// s/gui/combobox/ComboBoxItem.cpp
#include "s/gui/combobox/ComboBoxItem.h"

#include "s/gui/ITextLocalizer.h"
#include "s/thread/Pool.h"

namespace s::gui::combobox {

ComboBoxItem* ComboBoxItem::create(s::gui::ITextLocalizer* localizer, int32_t textId) {
    ComboBoxItem* item = s::thread::Pool<ComboBoxItem>::obtain();
    if (!item) return nullptr;
    item->m_localizer = localizer;
    item->m_textId = textId;
    item->setCaption(localizer ? localizer->getText(textId) : L"");
    return item;
}

ComboBoxItem* ComboBoxItem::withCaption(const wchar_t* caption) {
    ComboBoxItem* item = s::thread::Pool<ComboBoxItem>::obtain();
    if (item) item->setCaption(caption);
    return item;
}

void ComboBoxItem::setCaption(const wchar_t* caption) {
    m_caption.clear();
    m_caption.append(caption ? caption : L"");
}

void ComboBoxItem::onEvent(void* source, int32_t) {
    if (m_localizer && source == m_localizer) setCaption(m_localizer->getText(m_textId));
}

s::base::IObject* ComboBoxItem::newInstance() const { return s::thread::Pool<ComboBoxItem>::obtain(); }

void ComboBoxItem::releaseToPool() { s::thread::Pool<ComboBoxItem>::release(this); }

void ComboBoxItem::resetForReuse() {
    m_caption.clear();
    m_textId = -1;
    m_localizer = nullptr;
    m_key = m_listFlags = m_closedFlags = 0;
}

}  // namespace s::gui::combobox
