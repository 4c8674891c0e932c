// s/gui/win/RadioButton.h
//
// A radio button over the system's auto radio button: checking one unchecks the others of
// its group among its siblings.
#pragma once
#include "s/gui/IRadioButton.h"
#include "s/gui/win/CheckControl.h"
#include "s/gui/win/DrawerHolder.h"

namespace s::gui::win {

class RadioButton final : public CheckControl<s::gui::IRadioButton> {
public:
    int32_t getTextId() const override { return textId(); }
    void setChecked(bool checked, bool fireEvents) override { storeCheck(checked, fireEvents); }
    void followCheckEditable(s::gui::IComponent* c) override;
    void editableWhenChecked(s::gui::IComponent* c) override;
    void readOnlyWhenUnchecked(s::gui::IComponent* c) override;
    void setDrawer(s::gui::drawer::IRadioButton* drawer, bool owned) override;
    s::gui::drawer::IRadioButton* getDrawer() const { return m_drawer.get(); }
    void setEnabled(bool enabled) override;

    const wchar_t* classId() const override { return L"s_gui_win_RadioButton"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    DWORD nativeStyle() const override { return WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_AUTORADIOBUTTON; }
    bool onlyOnChange() const override { return false; }
    int32_t checkedCode() const override { return 0; }
    int32_t uncheckedCode() const override { return 0; }
    SIZE measureText(HDC dc, SIZE text) const override;
    void releaseActions() override;
    bool hasDrawer() const override { return m_drawer.get() != nullptr; }
    void drawFace(HDC dc, int32_t width, int32_t height, Font* font) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;

private:

    DrawerHolder<s::gui::drawer::IRadioButton> m_drawer;
    s::gui::events::StateAction* m_editabler = nullptr;
    s::gui::events::StateAction* m_readOnly = nullptr;
};

RadioButton* newRadioButton(const wchar_t* text, bool checked);
RadioButton* newRadioButtonFromTextId(int32_t textId, bool checked);

}  // namespace s::gui::win
