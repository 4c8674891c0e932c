// s/gui/win/PopupMenu.h
//
// A pop-up menu over a native one. Items and sub-menus sit in one list in the native
// order, so a position means the same entry to both. The menu owns its items and the
// sub-menus added to it; the native menu is made on first use. Built before or on the UI
// thread and used on it. Pooled, capacity 1000.
#pragma once
#include <string>
#include <vector>

#include "mfc/CMenu.h"
#include "s/base/IObject.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/events/ListenerList.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

class PopupMenu : public s::gui::IPopupMenu, public s::base::IObject, public s::thread::IPoolable, public mfc::CMenu {
public:
    static PopupMenu* obtain();
    ~PopupMenu() override;

    // IEventListener: the localizer's change re-texts every entry and shows the marks again.
    void onEvent(void* source, int32_t code) override;

    // IPopupMenu
    void addItem(s::gui::menuitem::MenuItem* item) override;
    void insertItem(s::gui::menuitem::MenuItem* item, uint32_t position) override;
    void removeAll() override;
    bool removeAt(uint32_t position) override;
    bool removeByCommandId(int32_t id) override;
    bool removeByKey(int32_t key) override;
    s::gui::menuitem::MenuItem* findItem(int32_t id) override;
    bool hasCommand(int32_t id) override;
    bool indexOfCommand(int32_t id, uint32_t* index) override;
    bool indexOfKey(int32_t key, uint32_t* index) override;
    bool setSubMenuEnabled(s::gui::IPopupMenu* sub, bool enabled) override;
    bool setItemEnabled(int32_t id, bool enabled) override;
    void addSubMenu(s::gui::IPopupMenu* sub) override;
    void setLocalizer(s::gui::ITextLocalizer* localizer) override;
    bool isItemChecked(int32_t id) override;
    bool setItemChecked(int32_t id, bool checked) override;
    bool setItemText(int32_t id, const wchar_t* text) override;
    bool setItemTextId(int32_t id, int32_t textId) override;
    void relocalize() override;
    const wchar_t* getTitle() override;
    int32_t getTitleId() override { return m_titleId; }
    void setTitleId(int32_t id) override;
    void setTitle(const wchar_t* title) override;
    void checkRadioRange(uint32_t check, uint32_t first, uint32_t last) override;
    void checkRadioAt(uint32_t position) override;
    bool checkRadioByCommand(int32_t id) override;
    bool checkRadioByKey(int32_t key) override;
    int32_t getChosenCommand() override { return m_chosen; }
    void addListener(s::gui::events::IEventListener* listener) override { m_listeners.add(listener); }
    void choose(int32_t id) override;
    bool trackBottomAligned(int32_t x, int32_t y, s::gui::IComponent* owner) override;
    bool track(int32_t x, int32_t y, s::gui::IComponent* owner) override;
    uint32_t getItemCount() override { return static_cast<uint32_t>(m_entries.size()); }
    void setHost(s::gui::IComponent* host) override;

    // The native menu, made when first asked for.
    HMENU handle();

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_PopupMenu"; }
    s::base::IObject* newInstance() const override { return obtain(); }
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    struct Entry {
        s::gui::menuitem::MenuItem* item;
        PopupMenu* sub;
    };

    // The menu (this or a sub-menu) holding the command, and its position there.
    PopupMenu* holderOf(int32_t id, uint32_t* position);
    void writeText(uint32_t position);
    void retext(bool marksToo);
    bool trackWith(UINT flags, int32_t x, int32_t y, s::gui::IComponent* owner);

    std::vector<Entry> m_entries;
    s::gui::IComponent* m_host = nullptr;
    s::gui::ITextLocalizer* m_localizer = nullptr;
    std::wstring m_title;
    int32_t m_titleId = -1;
    s::gui::events::ListenerList m_listeners;
    int32_t m_chosen = -1;
};

// A pooled menu titled by the text id, re-texted by the localizer.
PopupMenu* newPopupMenu(int32_t titleTextId, s::gui::ITextLocalizer* localizer);

}  // namespace s::gui::win
