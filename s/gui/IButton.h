// s/gui/IButton.h
//
// A push button: optionally a toggle, an auto-repeat button, a colour swatch ("#Color-"
// caption) or the window's size grip ("#Resizer"). Events, by code: 1 clicked, 2 toggled
// (after the click, the state already flipped), 3 pressed (on going down and every repeat).
#pragma once
#include "s/gui/IComponent.h"
#include "s/gui/IFontOwner.h"

namespace s::gui::drawer {
class IButton;
}  // namespace s::gui::drawer

namespace s::gui {

class IButton : public IComponent, public IFontOwner {
public:
    enum Event { kClicked = 1, kToggled = 2, kPressed = 3 };

    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    virtual int32_t getTextId() const = 0;
    virtual const wchar_t* getText() const = 0;
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void addClickListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addToggleListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addPressListener(s::gui::events::IEventListener* listener) = 0;
    virtual void setAutoRepeat(bool on) = 0;
    virtual void setDrawer(s::gui::drawer::IButton* drawer, bool owned) = 0;
    virtual void setFramed(bool framed) = 0;
    virtual void setToggleMode(bool toggle, bool mayUntoggle, bool invertedLook,
                               bool drawerFlag) = 0;
    virtual bool mayUntoggle() const = 0;
    virtual bool isToggled() const = 0;
    virtual void setToggled(bool toggled) = 0;
    virtual void makeDefault() = 0;
    virtual void clearDefault() = 0;
    virtual bool isDefault() const = 0;
    virtual void setColourCaption(uint8_t red, uint8_t green, uint8_t blue) = 0;
};

}  // namespace s::gui
