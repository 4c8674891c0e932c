// s/gui/win/PopupMenu.cpp
#include "s/gui/win/PopupMenu.h"

#include "mfc/CWnd.h"
#include "s/gui/IComponent.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/thread/Pool.h"
#include "s/gui/win/OnUiThread.h"

namespace s::gui::win {

using s::gui::menuitem::MenuItem;

PopupMenu* PopupMenu::obtain() { return s::thread::Pool<PopupMenu>::obtain(); }

void PopupMenu::releaseToPool() { s::thread::Pool<PopupMenu>::release(this); }

PopupMenu::~PopupMenu() { resetForReuse(); }

void PopupMenu::resetForReuse() {
    if (m_localizer) m_localizer->removeListener(this);
    m_localizer = nullptr;
    removeAll();
    DestroyMenu();
    m_title.clear();
    m_titleId = -1;
    m_listeners.clear();
    m_chosen = -1;
    m_host = nullptr;
}

void PopupMenu::setHost(s::gui::IComponent* host) {
    m_host = host;
    for (const Entry& entry : m_entries)
        if (entry.sub) entry.sub->setHost(host);
}

HMENU PopupMenu::handle() {
    if (!m_hMenu) CreatePopupMenu();
    return m_hMenu;
}

void PopupMenu::addItem(MenuItem* item) { insertItem(item, getItemCount()); }

void PopupMenu::insertItem(MenuItem* item, uint32_t position) {
    if (!item || !handle()) return;
    if (position > getItemCount()) position = getItemCount();
    if (m_localizer) item->setLocalizer(m_localizer);
    UINT flags = MF_BYPOSITION;
    if (item->isSeparator()) {
        flags |= MF_SEPARATOR;
    } else {
        flags |= MF_STRING | (item->isChecked() ? MF_CHECKED : MF_UNCHECKED);
    }
    InsertMenu(position, flags, static_cast<UINT_PTR>(item->getCommandId()),
               item->isSeparator() ? nullptr : item->getCaption());
    m_entries.insert(m_entries.begin() + position, Entry{item, nullptr});
}

void PopupMenu::addSubMenu(s::gui::IPopupMenu* sub) {
    auto* menu = dynamic_cast<PopupMenu*>(sub);
    if (!menu || menu == this || !handle() || !menu->handle()) return;
    AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(menu->m_hMenu), menu->getTitle());
    m_entries.push_back(Entry{nullptr, menu});
    menu->setHost(m_host);
}

void PopupMenu::removeAll() {
    while (!m_entries.empty()) removeAt(getItemCount() - 1);
}

bool PopupMenu::removeAt(uint32_t position) {
    if (position >= getItemCount()) return false;
    Entry entry = m_entries[position];
    m_entries.erase(m_entries.begin() + position);
    // A sub-menu's native menu belongs to the sub-menu: RemoveMenu leaves it alive for
    // the sub-menu to destroy, where DeleteMenu would destroy it under its owner.
    if (entry.sub) {
        ::RemoveMenu(m_hMenu, position, MF_BYPOSITION);
        entry.sub->releaseToPool();
    } else {
        DeleteMenu(position, MF_BYPOSITION);
        entry.item->releaseToPool();
    }
    return true;
}

bool PopupMenu::removeByCommandId(int32_t id) {
    uint32_t position = 0;
    return indexOfCommand(id, &position) && removeAt(position);
}

bool PopupMenu::removeByKey(int32_t key) {
    uint32_t position = 0;
    return indexOfKey(key, &position) && removeAt(position);
}

bool PopupMenu::indexOfCommand(int32_t id, uint32_t* index) {
    for (uint32_t i = 0; i < getItemCount(); ++i) {
        const MenuItem* item = m_entries[i].item;
        if (item && !item->isSeparator() && item->getCommandId() == id) return *index = i, true;
    }
    return false;
}

bool PopupMenu::indexOfKey(int32_t key, uint32_t* index) {
    for (uint32_t i = 0; i < getItemCount(); ++i) {
        if (m_entries[i].item && m_entries[i].item->getKey() == key) return *index = i, true;
    }
    return false;
}

PopupMenu* PopupMenu::holderOf(int32_t id, uint32_t* position) {
    if (indexOfCommand(id, position)) return this;
    for (const Entry& entry : m_entries) {
        if (!entry.sub) continue;
        if (PopupMenu* holder = entry.sub->holderOf(id, position)) return holder;
    }
    return nullptr;
}

MenuItem* PopupMenu::findItem(int32_t id) {
    uint32_t position = 0;
    PopupMenu* holder = holderOf(id, &position);
    return holder ? holder->m_entries[position].item : nullptr;
}

bool PopupMenu::hasCommand(int32_t id) { return findItem(id) != nullptr; }

bool PopupMenu::setSubMenuEnabled(s::gui::IPopupMenu* sub, bool enabled) {
    for (uint32_t i = 0; i < getItemCount(); ++i) {
        if (m_entries[i].sub != sub || !m_entries[i].sub) continue;
        EnableMenuItem(i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
        return true;
    }
    return false;
}

bool PopupMenu::setItemEnabled(int32_t id, bool enabled) {
    uint32_t position = 0;
    PopupMenu* holder = holderOf(id, &position);
    if (!holder) return false;
    holder->EnableMenuItem(position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    return true;
}

void PopupMenu::setLocalizer(s::gui::ITextLocalizer* localizer) {
    if (m_localizer == localizer) return;
    if (m_localizer) m_localizer->removeListener(this);
    m_localizer = localizer;
    if (localizer) localizer->addListener(this);
    for (const Entry& entry : m_entries) {
        if (entry.item) entry.item->setLocalizer(localizer);
    }
}

bool PopupMenu::isItemChecked(int32_t id) {
    const MenuItem* item = findItem(id);
    return item && item->isChecked();
}

bool PopupMenu::setItemChecked(int32_t id, bool checked) {
    uint32_t position = 0;
    PopupMenu* holder = holderOf(id, &position);
    if (!holder) return false;
    MenuItem* item = holder->m_entries[position].item;
    if (item->isChecked() != checked) {
        item->setChecked(checked);
        holder->CheckMenuItem(position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    return true;
}

bool PopupMenu::setItemText(int32_t id, const wchar_t* text) {
    uint32_t position = 0;
    PopupMenu* holder = holderOf(id, &position);
    if (!holder) return false;
    holder->m_entries[position].item->setCaption(text);
    holder->writeText(position);
    return true;
}

bool PopupMenu::setItemTextId(int32_t id, int32_t textId) {
    uint32_t position = 0;
    PopupMenu* holder = holderOf(id, &position);
    if (!holder) return false;
    holder->m_entries[position].item->setTextId(textId);
    holder->writeText(position);
    return true;
}

// The text alone is rewritten, so the entry keeps its marks, its state and its sub-menu.
void PopupMenu::writeText(uint32_t position) {
    const Entry& entry = m_entries[position];
    if (entry.item && entry.item->isSeparator()) return;
    std::wstring text = entry.sub ? entry.sub->getTitle() : entry.item->getCaption();
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = &text[0];
    ::SetMenuItemInfoW(m_hMenu, position, TRUE, &info);
}

void PopupMenu::retext(bool marksToo) {
    for (uint32_t i = 0; i < getItemCount(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.sub) {
            entry.sub->retext(marksToo);
            writeText(i);
            continue;
        }
        if (entry.item->isSeparator()) continue;
        if (entry.item->getTextId() >= 0) writeText(i);
        if (!marksToo) continue;
        if (entry.item->isChecked()) CheckMenuItem(i, MF_BYPOSITION | MF_CHECKED);
        if (entry.item->isRadio()) CheckMenuRadioItem(i, i, i, MF_BYPOSITION);
    }
}

void PopupMenu::onEvent(void* source, int32_t) {
    if (!source || source != m_localizer) return;
    s::gui::IWindow* window = m_host ? dynamic_cast<s::gui::IWindow*>(m_host) : nullptr;
    if (!window && m_host) window = m_host->getWindow();
    // The window's UI thread tracks and reads the menu: the new texts are written there.
    if (window && onUiThread(*window, [this] { retext(true); }, kWaitForever))
        return;
    retext(true);
}

void PopupMenu::relocalize() { retext(false); }

const wchar_t* PopupMenu::getTitle() {
    if (m_titleId >= 0 && m_localizer) return m_localizer->getText(m_titleId);
    return m_title.c_str();
}

void PopupMenu::setTitleId(int32_t id) {
    handle();
    m_titleId = id;
}

void PopupMenu::setTitle(const wchar_t* title) {
    handle();
    m_title = title ? title : L"";
}

void PopupMenu::checkRadioRange(uint32_t check, uint32_t first, uint32_t last) {
    if (m_entries.empty() || first > last) return;
    if (last >= getItemCount()) last = getItemCount() - 1;
    CheckMenuRadioItem(first, last, check, MF_BYPOSITION);
    for (uint32_t i = first; i <= last; ++i) {
        if (m_entries[i].item) m_entries[i].item->setRadio(i == check);
    }
}

void PopupMenu::checkRadioAt(uint32_t position) {
    if (!m_entries.empty()) checkRadioRange(position, 0, getItemCount() - 1);
}

bool PopupMenu::checkRadioByCommand(int32_t id) {
    uint32_t position = 0;
    if (!indexOfCommand(id, &position)) return false;
    checkRadioAt(position);
    return true;
}

bool PopupMenu::checkRadioByKey(int32_t key) {
    uint32_t position = 0;
    if (!indexOfKey(key, &position)) return false;
    checkRadioAt(position);
    return true;
}

void PopupMenu::choose(int32_t id) {
    m_chosen = id;
    m_listeners.fire(this, 0);
}

bool PopupMenu::trackWith(UINT flags, int32_t x, int32_t y, s::gui::IComponent* owner) {
    mfc::CWnd* window = owner ? owner->nativeWindow() : nullptr;
    if (!window || !window->m_hWnd || !handle()) return false;
    return TrackPopupMenu(flags | TPM_RIGHTBUTTON | TPM_NOANIMATION, x, y, window->m_hWnd) != FALSE;
}

bool PopupMenu::track(int32_t x, int32_t y, s::gui::IComponent* owner) { return trackWith(0, x, y, owner); }

bool PopupMenu::trackBottomAligned(int32_t x, int32_t y, s::gui::IComponent* owner) {
    return trackWith(TPM_BOTTOMALIGN, x, y, owner);
}

PopupMenu* newPopupMenu(int32_t titleTextId, s::gui::ITextLocalizer* localizer) {
    PopupMenu* menu = PopupMenu::obtain();
    if (!menu) return nullptr;
    menu->setLocalizer(localizer);
    menu->setTitleId(titleTextId);
    return menu;
}

}  // namespace s::gui::win
