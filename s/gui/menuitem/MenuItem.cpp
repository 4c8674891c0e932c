// s/gui/menuitem/MenuItem.cpp
#include "s/gui/menuitem/MenuItem.h"

#include "s/gui/IComponent.h"
#include "s/gui/ITextLocalizer.h"
#include "s/thread/Pool.h"

namespace s::gui::menuitem {

MenuItem* MenuItem::obtain() { return s::thread::Pool<MenuItem>::obtain(); }

void MenuItem::releaseToPool() { s::thread::Pool<MenuItem>::release(this); }

void MenuItem::resetForReuse() {
    m_localizer = nullptr;
    m_caption.clear();
    m_textId = -1;
    m_commandId = -1;
    m_checked = m_radio = m_separator = false;
    m_key = 0;
}

const wchar_t* MenuItem::getCaption() const {
    if (m_textId >= 0 && m_localizer) return m_localizer->getText(m_textId);
    return m_caption.c_str();
}

MenuItem* MenuItem::create(s::gui::ITextLocalizer* localizer, int32_t textId, int32_t commandId, bool checked) {
    MenuItem* item = obtain();
    if (!item) return nullptr;
    item->m_localizer = localizer;
    item->m_textId = textId;
    item->m_commandId = commandId;
    item->m_checked = checked;
    return item;
}

s::gui::IComponent* MenuItem::addChild(s::gui::IComponent* container, s::gui::IComponent* component) {
    if (container && component) container->addChild(component);
    return container;
}

MenuItem* newMenuItem(const wchar_t* caption, int32_t commandId) {
    MenuItem* item = MenuItem::obtain();
    if (!item) return nullptr;
    item->setCaption(caption);
    item->setCommandId(commandId);
    return item;
}

MenuItem* newMenuSeparator() {
    MenuItem* item = MenuItem::obtain();
    if (item) item->setSeparator(true);
    return item;
}

}  // namespace s::gui::menuitem
