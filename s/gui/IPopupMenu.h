// s/gui/IPopupMenu.h
//
// A context or drop-down menu: items and sub-menus kept in step with the language, single
// and radio checks, opened at a screen point; the chosen command goes to its listeners
// (code 0). Searches by command id reach into the sub-menus.
#pragma once
#include <cstdint>

#include "s/gui/events/IEventListener.h"

namespace s::gui::menuitem {
class MenuItem;
}  // namespace s::gui::menuitem

namespace s::gui {

class IComponent;
class ITextLocalizer;

class IPopupMenu : public s::gui::events::IEventListener {
public:
    virtual void addItem(s::gui::menuitem::MenuItem* item) = 0;
    virtual void insertItem(s::gui::menuitem::MenuItem* item, uint32_t position) = 0;
    virtual void removeAll() = 0;
    virtual bool removeAt(uint32_t position) = 0;
    virtual bool removeByCommandId(int32_t id) = 0;
    virtual bool removeByKey(int32_t key) = 0;
    virtual s::gui::menuitem::MenuItem* findItem(int32_t id) = 0;
    virtual bool hasCommand(int32_t id) = 0;
    virtual bool indexOfCommand(int32_t id, uint32_t* index) = 0;
    virtual bool indexOfKey(int32_t key, uint32_t* index) = 0;
    virtual bool setSubMenuEnabled(IPopupMenu* sub, bool enabled) = 0;
    virtual bool setItemEnabled(int32_t id, bool enabled) = 0;
    virtual void addSubMenu(IPopupMenu* sub) = 0;
    virtual void setLocalizer(ITextLocalizer* localizer) = 0;
    virtual bool isItemChecked(int32_t id) = 0;
    virtual bool setItemChecked(int32_t id, bool checked) = 0;
    virtual bool setItemText(int32_t id, const wchar_t* text) = 0;
    virtual bool setItemTextId(int32_t id, int32_t textId) = 0;
    virtual void relocalize() = 0;
    virtual const wchar_t* getTitle() = 0;
    virtual int32_t getTitleId() = 0;
    virtual void setTitleId(int32_t id) = 0;
    virtual void setTitle(const wchar_t* title) = 0;
    virtual void checkRadioRange(uint32_t check, uint32_t first, uint32_t last) = 0;
    virtual void checkRadioAt(uint32_t position) = 0;
    virtual bool checkRadioByCommand(int32_t id) = 0;
    virtual bool checkRadioByKey(int32_t key) = 0;
    virtual int32_t getChosenCommand() = 0;
    virtual void addListener(s::gui::events::IEventListener* listener) = 0;
    virtual void choose(int32_t id) = 0;
    virtual bool trackBottomAligned(int32_t x, int32_t y, IComponent* owner) = 0;
    virtual bool track(int32_t x, int32_t y, IComponent* owner) = 0;
    virtual uint32_t getItemCount() = 0;
    // The component on whose window's UI thread the menu lives (its bar, or the window that
    // opens it): a language change made on another thread re-texts it there.
    virtual void setHost(IComponent* host) = 0;
};

}  // namespace s::gui
