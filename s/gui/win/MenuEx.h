// s/gui/win/MenuEx.h
//
// An owner-painted menu bar: a row of entries, each a command or a drop-down pop-up menu,
// painted by a menu drawer (its own default one until it is given another). The bar runs
// its drop-downs itself, so their commands come back to its own window. Lives on its
// Window's UI thread once it has a window. Pooled, capacity 1000.
#pragma once
#include <string>
#include <vector>

#include "s/gui/IMenuEx.h"
#include "s/gui/drawer/IMenu.h"
#include "s/gui/drawer/ISkinListener.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"

namespace s::gui {
class ITextLocalizer;
}  // namespace s::gui
namespace s::gui::menuitem {
class MenuItem;
}  // namespace s::gui::menuitem

namespace s::gui::win {

class Font;
class PopupMenu;

class MenuEx : public ComponentBase<s::gui::IMenuEx>, public s::gui::drawer::ISkinListener {
public:
    // A drop-down closed this recently is not opened again by the click that closed it.
    static constexpr DWORD kReopenGuardMs = 500;
    static constexpr UINT_PTR kHoverTimer = 1;

    static MenuEx* obtain();
    ~MenuEx() override;

    // IComponent
    void setParent(s::gui::IComponent* parent) override;

    // IMenuEx
    void setFontSize(int32_t points) override;
    void setFontBold(bool bold) override;
    void setFontUnderline(bool underline) override;
    void setWidthPercent(int32_t percent) override { setTargetPercent(percent, m_targetHeightPercent); }
    void setHeightPercent(int32_t percent) override { setTargetPercent(m_targetWidthPercent, percent); }
    void setFixedWidth(int32_t width) override { setFixedSize(width, m_fixedHeight); }
    void setFixedHeight(int32_t height) override { setFixedSize(m_fixedWidth, height); }
    void setMarginLeft(int32_t m) override { setMargin(m, m_marginRight, m_marginTop, m_marginBottom); }
    void setMarginRight(int32_t m) override { setMargin(m_marginLeft, m, m_marginTop, m_marginBottom); }
    void setMarginTop(int32_t m) override { setMargin(m_marginLeft, m_marginRight, m, m_marginBottom); }
    void setMarginBottom(int32_t m) override { setMargin(m_marginLeft, m_marginRight, m_marginTop, m); }
    void setMarginHorizontal(int32_t m) override { setMargin(m, m, m_marginTop, m_marginBottom); }
    void setMarginVertical(int32_t m) override { setMargin(m_marginLeft, m_marginRight, m, m); }
    void addItemByTextId(s::gui::menuitem::MenuItem* item) override;
    void addItem(s::gui::IPopupMenu* popup) override;
    bool hasCommand(int32_t id) const override;
    bool isItemChecked(int32_t id) const override;
    bool setItemChecked(int32_t id, bool checked) override;
    int32_t getChosenCommand() const override { return m_chosen; }
    void chooseCommand(int32_t id) override;
    void addCommandListener(s::gui::events::IEventListener* l) override { m_commandListeners.add(l); }
    void addRetextListener(s::gui::events::IEventListener* l) override { m_retextListeners.add(l); }
    void addDropDownListener(s::gui::events::IEventListener* l) override { m_dropDownListeners.add(l); }
    void setDrawer(s::gui::drawer::IMenu* drawer, bool owned) override;
    s::gui::drawer::IMenu* getDrawer() const { return m_drawer.get(); }
    void setSpacing(int32_t x, int32_t y) override;
    void setCollapsed(bool collapsed) override;
    void setOpenOnHover(bool on) override { m_openOnHover = on; }
    void setLastEntryRightAligned(bool on) override { m_lastRightAligned = on; }
    void setLastEntryAsLink(bool on) override { m_lastAsLink = on; }
    void setZeroMinWidth(bool on) override { m_zeroMinWidth = on; }
    void relocalize() override;
    bool windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override {
        return handleMessage(result, message, wParam, lParam);
    }

    uint32_t getEntryCount() const { return static_cast<uint32_t>(m_entries.size()); }
    const wchar_t* getCaption(uint32_t index) const { return m_entries[index].caption.c_str(); }
    RECT getEntryRect(uint32_t index) const { return m_entries[index].rect; }
    int32_t getHovered() const { return m_hovered; }
    bool isDropDownOpen() const { return m_open; }
    // The entry at a point of the bar's client area, or -1.
    int32_t entryAt(int32_t x, int32_t y) const;
    // The keyboard's way in (Alt or F10, key 0: the first drop-down; Alt with a letter:
    // the first whose caption begins with it). While a drop-down is open, Left and Right
    // open its neighbour. UI thread.
    void openByKey(wchar_t key);

    // IEventListener: the Window's localizer re-texts the bar.
    void onEvent(void* source, int32_t code) override;
    // ISkinListener: the Window's skinner gives the bar the skin's menu drawer.
    void onEvent(s::gui::drawer::Skinner* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_MenuEx"; }
    s::base::IObject* newInstance() const override { return obtain(); }
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;

private:
    struct Entry {
        s::gui::menuitem::MenuItem* item;  // a command entry
        PopupMenu* popup;                  // a drop-down entry
        std::wstring caption;
        RECT rect;
    };

    void retextCaptions();
    void measure();
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void makeFonts();
    void releaseFonts();
    void onMouseMove(int32_t x, int32_t y);
    void onButtonDown(int32_t x, int32_t y);
    void onButtonUp();
    void openDropDowns();
    int32_t neighbourDropDown(int32_t from, int32_t step) const;
    static LRESULT CALLBACK menuKeys(int code, WPARAM wParam, LPARAM lParam);
    void leaveLocalizer();
    void followSkinner(s::gui::drawer::Skinner* skinner);
    void takeSkinDrawer();
    void fontsChanged();
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
    DrawerHolder<s::gui::drawer::IMenu> m_drawer;
    Font* m_normalFont = nullptr;
    Font* m_highlightFont = nullptr;
    s::gui::ITextLocalizer* m_localizer = nullptr;
    s::gui::drawer::Skinner* m_skinner = nullptr;
};

// A pooled bar; a percentage of 0 or more makes it that share of its parent's inner width.
MenuEx* newMenuEx(int32_t widthPercent);

}  // namespace s::gui::win
