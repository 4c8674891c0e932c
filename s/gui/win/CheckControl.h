// s/gui/win/CheckControl.h
//
// What the check box and the radio button share over the system's BUTTON control: the
// caption (ampersands shown, not taken as accelerators), the localizer's text, the check
// state kept while there is no control, the four listener lists and the couplings, whose
// event actions are made on first use and given back with the control.
#pragma once
#include "s/gui/events/ListenerList.h"
#include "mfc/CBrush.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/FontOwner.h"
#include "s/gui/win/FontSetting.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::events {
class StateAction;
}  // namespace s::gui::events

namespace s::gui::win {

class Font;

template <class I>
class CheckControl : public FontOwner<ComponentBase<I>> {
public:
    CheckControl();
    ~CheckControl() override;

    void setParent(s::gui::IComponent* parent) override;
    void setEnabled(bool enabled) override;
    void onEvent(void* source, int32_t code) override;

    void setText(const wchar_t* text) override;
    void setTextId(int32_t id) override;
    const wchar_t* getText() const override { return m_text.cString(); }
    int32_t textId() const { return m_textId; }
    void addCheckedListener(s::gui::events::IEventListener* l) override { m_checked.add(l); }
    void addUncheckedListener(s::gui::events::IEventListener* l) override { m_unchecked.add(l); }
    void addEnableListener(s::gui::events::IEventListener* l) override { m_enable.add(l); }
    void addDisableListener(s::gui::events::IEventListener* l) override { m_disable.add(l); }
    bool isChecked() const override;

    void followCheck(s::gui::IComponent* c) override;
    void enableWhenChecked(s::gui::IComponent* c) override;
    void disableWhenUnchecked(s::gui::IComponent* c) override;
    void followCheckInverted(s::gui::IComponent* c) override;
    void enableWhenUnchecked(s::gui::IComponent* c) override;
    void disableWhenChecked(s::gui::IComponent* c) override;

    void resetForReuse() override;

protected:
    // The native style and whether the listeners hear only real changes (check box) or every
    // check message (radio button), and the codes they hear.
    virtual DWORD nativeStyle() const = 0;
    virtual bool onlyOnChange() const = 0;
    virtual int32_t checkedCode() const = 0;
    virtual int32_t uncheckedCode() const = 0;
    virtual SIZE measureText(HDC dc, SIZE text) const = 0;
    // The narrowest the caption may get (the font selected in dc): all of it on one line
    // unless the control wraps.
    virtual int32_t minimumWidth(HDC, SIZE measured) const { return measured.cx; }
    // With a drawer of the skin the control paints its whole face itself.
    virtual bool hasDrawer() const = 0;
    virtual void drawFace(HDC dc, int32_t width, int32_t height, Font* font) = 0;
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    Font* measuringFont() const { return m_font; }
    FontSetting* fontSetting(int32_t index) override { return index == 0 ? &m_fontSetting : nullptr; }
    void fontChanged() override;
    void repaintNow();

    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void storeCheck(bool checked, bool fire);
    void measure();
    // Adds the target to the action in the slot, made by `make` on first use and kept in the
    // checked or the unchecked list.
    void addAction(s::gui::events::StateAction** slot, s::gui::events::StateAction* (*make)(),
                   bool whenChecked, s::gui::IComponent* target);
    virtual void releaseActions();

    s::gui::events::StateAction* m_enabler = nullptr;     // on checked
    s::gui::events::StateAction* m_disabler = nullptr;    // on unchecked
    s::gui::events::StateAction* m_unEnabler = nullptr;   // enables on unchecked
    s::gui::events::StateAction* m_unDisabler = nullptr;  // disables on checked

private:
    void showCaption();

    int32_t m_textId = -1;
    s::str::strbuffer::StrBuffer m_text;
    FontSetting m_fontSetting;
    Font* m_font = nullptr;
    CBrush m_brush;
    bool m_checkedState = false;
    bool m_silent = false;
    bool m_wasChecked = false;
    s::gui::events::ListenerList m_checked, m_unchecked, m_enable, m_disable;
};

}  // namespace s::gui::win
