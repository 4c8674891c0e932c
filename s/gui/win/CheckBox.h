// s/gui/win/CheckBox.h
//
// A check box over the system's auto check box; word wrap lets its caption take lines.
#pragma once
#include "s/gui/ICheckBox.h"
#include "s/gui/win/CheckControl.h"

namespace s::gui::win {

class CheckBox final : public CheckControl<s::gui::ICheckBox> {
public:
    void setWordWrap(bool wrap) override { m_wordWrap = wrap; }
    void setChecked(bool checked) override { storeCheck(checked, true); }
    void setCheckedSilently(bool checked) override { storeCheck(checked, false); }

    const wchar_t* classId() const override { return L"s_gui_win_CheckBox"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    DWORD nativeStyle() const override;
    bool onlyOnChange() const override { return true; }
    int32_t checkedCode() const override { return kChecked; }
    int32_t uncheckedCode() const override { return kUnchecked; }
    SIZE measureText(HDC dc, SIZE text) const override;
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_wordWrap = false;
};

CheckBox* newCheckBox(int32_t textId, bool checked);
CheckBox* newCheckBoxWithText(const wchar_t* text, bool checked);

}  // namespace s::gui::win
