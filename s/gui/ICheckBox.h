// s/gui/ICheckBox.h
//
// A check box. Its checked listeners get code 1 when it becomes checked, its unchecked
// listeners code 2 when it becomes unchecked, each only on a real change; enabling and
// disabling tell the enable and disable listeners (code 0), only on a change. The couplings
// set other components' enabled state from the check.
#pragma once
#include "s/gui/IComponent.h"
#include "s/gui/IFontOwner.h"

namespace s::gui::drawer {
class ICheckBox;
}  // namespace s::gui::drawer

namespace s::gui {

class ICheckBox : public IComponent, public IFontOwner {
public:
    enum Event { kChecked = 1, kUnchecked = 2 };

    virtual void setWordWrap(bool wrap) = 0;
    virtual void setText(const wchar_t* text) = 0;
    virtual void setTextId(int32_t id) = 0;
    virtual const wchar_t* getText() const = 0;
    virtual void addCheckedListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addUncheckedListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addEnableListener(s::gui::events::IEventListener* listener) = 0;
    virtual void addDisableListener(s::gui::events::IEventListener* listener) = 0;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual void setCheckedSilently(bool checked) = 0;
    virtual void followCheck(IComponent* component) = 0;
    virtual void enableWhenChecked(IComponent* component) = 0;
    virtual void disableWhenUnchecked(IComponent* component) = 0;
    virtual void followCheckInverted(IComponent* component) = 0;
    virtual void enableWhenUnchecked(IComponent* component) = 0;
    virtual void disableWhenChecked(IComponent* component) = 0;
    // With a drawer it paints the whole face itself; none: the native control paints.
    virtual void setDrawer(s::gui::drawer::ICheckBox* drawer, bool owned) = 0;
};

}  // namespace s::gui
