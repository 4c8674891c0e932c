// s/gui/IMenuEx.h
//
// An owner-painted menu bar component: a row of entries, each a command or a drop-down
// pop-up menu, painted by a menu drawer. Commands chosen on the bar or in its drop-downs go
// to the command listeners (code 0); the re-texted listeners hear of a language change
// (code 0), the drop-down listeners of a drop-down about to open (code 1).
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/IComponent.h"

namespace s::gui::drawer {
class IMenu;
}  // namespace s::gui::drawer
namespace s::gui::menuitem {
class MenuItem;
}  // namespace s::gui::menuitem

namespace s::gui {

class IPopupMenu;

class IMenuEx : public IComponent {
public:
    // Each for both fonts of the bar's drawer; the bar is measured again.
    virtual void setFontSize(int32_t points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontUnderline(bool underline) = 0;
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setMarginLeft(int32_t margin) = 0;
    virtual void setMarginRight(int32_t margin) = 0;
    virtual void setMarginTop(int32_t margin) = 0;
    virtual void setMarginBottom(int32_t margin) = 0;
    virtual void setMarginHorizontal(int32_t margin) = 0;
    virtual void setMarginVertical(int32_t margin) = 0;
    virtual void setSpacing(int32_t x, int32_t y) = 0;
    // A command entry captioned by the item; the bar owns it.
    virtual void addItemByTextId(s::gui::menuitem::MenuItem* item) = 0;
    // A drop-down entry titled by the menu; the bar owns it.
    virtual void addItem(IPopupMenu* popup) = 0;
    virtual bool hasCommand(int32_t id) const = 0;
    virtual bool isItemChecked(int32_t id) const = 0;
    virtual bool setItemChecked(int32_t id, bool checked) = 0;
    virtual int32_t getChosenCommand() const = 0;
    virtual void addCommandListener(s::gui::events::IEventListener* listener) = 0;
    virtual void chooseCommand(int32_t id) = 0;
    virtual void addRetextListener(s::gui::events::IEventListener* listener) = 0;
    // Null goes back to the bar's own default drawer.
    virtual void setDrawer(s::gui::drawer::IMenu* drawer, bool owned) = 0;
    virtual void setZeroMinWidth(bool on) = 0;
    // The bar shows as one entry covering its whole width.
    virtual void setCollapsed(bool collapsed) = 0;
    virtual void relocalize() = 0;
    virtual void addDropDownListener(s::gui::events::IEventListener* listener) = 0;
    // A drop-down opens as soon as the cursor enters its entry.
    virtual void setOpenOnHover(bool on) = 0;
    virtual void setLastEntryRightAligned(bool on) = 0;
    // The drawer shows the last entry as a link.
    virtual void setLastEntryAsLink(bool on) = 0;
    virtual bool windowProc(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
