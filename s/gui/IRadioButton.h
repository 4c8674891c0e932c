// s/gui/IRadioButton.h
//
// A radio button. Every check message, also one that changes nothing, tells the checked or
// the unchecked listeners (code 0); enabling and disabling as for the check box. Besides the
// enabled couplings it can make components editable or read-only by its check.
#pragma once
#include "s/gui/IComponent.h"
#include "s/gui/IFontOwner.h"

namespace s::gui::drawer {
class IRadioButton;
}  // namespace s::gui::drawer

namespace s::gui {

class IRadioButton : public IComponent, public IFontOwner {
public:
    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    virtual const wchar_t* getText() const = 0;
    virtual int32_t getTextId() const = 0;
    virtual void addCheckedListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addUncheckedListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addEnableListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addDisableListener(s::gui::events::IEventListener* listener) = 0;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked, bool fireEvents) = 0;
    virtual void followCheck(IComponent* component) = 0;
    virtual void followCheckInverted(IComponent* component) = 0;
    virtual void enableWhenChecked(IComponent* component) = 0;
    virtual void disableWhenUnchecked(IComponent* component) = 0;
    virtual void disableWhenChecked(IComponent* component) = 0;
    virtual void enableWhenUnchecked(IComponent* component) = 0;
    virtual void followCheckEditable(IComponent* component) = 0;
    virtual void editableWhenChecked(IComponent* component) = 0;
    virtual void readOnlyWhenUnchecked(IComponent* component) = 0;
    // With a drawer it paints the whole face itself; none: the native control paints.
    virtual void setDrawer(s::gui::drawer::IRadioButton* drawer, bool owned) = 0;
};

}  // namespace s::gui
