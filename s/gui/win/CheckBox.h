// s/gui/win/CheckBox.h
//
// A check box over the system's auto check box; word wrap lets its caption take lines.
#pragma once
#include "s/gui/ICheckBox.h"
#include "s/gui/win/CheckControl.h"
#include "s/gui/win/DrawerHolder.h"

namespace s::gui::win {

class CheckBox final : public CheckControl<s::gui::ICheckBox> {
public:
    void setWordWrap(bool wrap) override;
    void setChecked(bool checked) override { storeCheck(checked, true); }
    void setCheckedSilently(bool checked) override { storeCheck(checked, false); }
    void setDrawer(s::gui::drawer::ICheckBox* drawer, bool owned) override;
    s::gui::drawer::ICheckBox* getDrawer() const { return m_drawer.get(); }
    // With word wrap the caption takes as many lines as the width leaves it.
    void setSizeWithinLimits(int32_t width, int32_t height) override;

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
    int32_t minimumWidth(HDC dc, SIZE measured) const override;
    bool hasDrawer() const override { return m_drawer.get() != nullptr; }
    void drawFace(HDC dc, int32_t width, int32_t height, Font* font) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;
    bool createNativeWindow(HWND parent) override;
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int32_t boxWidth(int32_t textHeight) const;

    bool m_wordWrap = false;
    DrawerHolder<s::gui::drawer::ICheckBox> m_drawer;
};

CheckBox* newCheckBox(int32_t textId, bool checked);
CheckBox* newCheckBoxWithText(const wchar_t* text, bool checked);

}  // namespace s::gui::win
