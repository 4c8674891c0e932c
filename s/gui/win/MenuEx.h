// s/gui/win/MenuEx.h
//
// An owner-painted menu bar: a row of entries, each a command or a drop-down pop-up menu,
// painted by a menu drawer (its own default one until it is given another). The bar runs
// its drop-downs itself, so their commands come back to its own window. Lives on its
// Window's UI thread once it has a window. Pooled, capacity 1000.
#pragma once
#include <string>
#include <vector>

#include "s/gui/events/IEventListener.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/ComponentBase.h"

namespace s::gui {
class ITextLocalizer;
}  // namespace s::gui
namespace s::gui::menuitem {
class MenuItem;
}  // namespace s::gui::menuitem
namespace s::gui::drawer::menu::win {
class Basic;
}  // namespace s::gui::drawer::menu::win

namespace s::gui::win {

class Font;
class PopupMenu;

class MenuEx : public ComponentBase<s::gui::IComponent> {
public:
    // A drop-down closed this recently is not opened again by the click that closed it.
    static constexpr DWORD kReopenGuardMs = 500;
    static constexpr UINT_PTR kHoverTimer = 1;

    static MenuEx* obtain();
    ~MenuEx() override;

    // IComponent
    void setParent(s::gui::IComponent* parent) override;

    // A command entry captioned by the item (the bar owns it); a drop-down entry titled by
    // the menu (the bar owns it).
    void addItemByTextId(s::gui::menuitem::MenuItem* item);
    void addItem(PopupMenu* popup);
    bool hasCommand(int32_t id) const;
    bool isItemChecked(int32_t id) const;
    bool setItemChecked(int32_t id, bool checked);
    int32_t getChosenCommand() const { return m_chosen; }
    void chooseCommand(int32_t id);
    void addCommandListener(s::gui::events::IEventListener* l) { m_commandListeners.add(l); }
    void addRetextListener(s::gui::events::IEventListener* l) { m_retextListeners.add(l); }
    void addDropDownListener(s::gui::events::IEventListener* l) { m_dropDownListeners.add(l); }
    void setDrawer(s::gui::drawer::menu::win::Basic* drawer, bool owned);
    s::gui::drawer::menu::win::Basic* getDrawer() const { return m_drawer; }
    void setSpacing(int32_t x, int32_t y);
    void setCollapsed(bool collapsed);
    void setOpenOnHover(bool on) { m_openOnHover = on; }
    void setLastEntryRightAligned(bool on) { m_lastRightAligned = on; }
    void setLastEntryAsLink(bool on) { m_lastAsLink = on; }
    void setZeroMinWidth(bool on) { m_zeroMinWidth = on; }
    void relocalize();

    uint32_t getEntryCount() const { return static_cast<uint32_t>(m_entries.size()); }
    const wchar_t* getCaption(uint32_t index) const { return m_entries[index].caption.c_str(); }
    RECT getEntryRect(uint32_t index) const { return m_entries[index].rect; }
    int32_t getHovered() const { return m_hovered; }
    bool isDropDownOpen() const { return m_open; }
    // The entry at a point of the bar's client area, or -1.
    int32_t entryAt(int32_t x, int32_t y) const;

    // IEventListener: the Window's localizer re-texts the bar.
    void onEvent(void* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_MenuEx"; }
    s::base::IObject* newInstance() const override { return obtain(); }
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Entry {
        s::gui::menuitem::MenuItem* item;  // a command entry
        PopupMenu* popup;                  // a drop-down entry
        std::wstring caption;
        RECT rect;
    };

    void retextCaptions();
    void measure();
    void paint();
    void makeFonts();
    void releaseFonts();
    void onMouseMove(int32_t x, int32_t y);
    void onButtonDown(int32_t x, int32_t y);
    void onButtonUp();
    void openDropDowns();
    void leaveLocalizer();
    RECT placedRect(uint32_t index) const;

    std::vector<Entry> m_entries;
    int32_t m_hovered = -1;
    bool m_pressed = false;
    bool m_open = false;
    bool m_switchRequested = false;
    DWORD m_lastClose = 0;
    bool m_closedOnce = false;
    bool m_collapsedBar = false;
    bool m_lastRightAligned = false;
    bool m_lastAsLink = false;
    bool m_openOnHover = false;
    bool m_zeroMinWidth = true;
    int32_t m_spacingX = 6, m_spacingY = 3;
    int32_t m_chosen = -1;
    s::gui::events::ListenerList m_commandListeners;
    s::gui::events::ListenerList m_retextListeners;
    s::gui::events::ListenerList m_dropDownListeners;
    s::gui::drawer::menu::win::Basic* m_drawer = nullptr;
    bool m_drawerOwned = false;
    Font* m_normalFont = nullptr;
    Font* m_highlightFont = nullptr;
    s::gui::ITextLocalizer* m_localizer = nullptr;
};

// A pooled bar; a percentage of 0 or more makes it that share of its parent's inner width.
MenuEx* newMenuEx(int32_t widthPercent);

}  // namespace s::gui::win
