// s/gui/win/FontSetting.h
//
// A font description a control keeps: drawers fill in what the control did not set
// (inheritFrom), and makeFont gives a real font of it. Pooled, capacity 1000; also kept
// by value. One thread at a time.
#pragma once
#include "s/gui/IFontSetting.h"
#include "s/gui/win/FontBody.h"

namespace s::gui::win {

class FontSetting : public FontBody<s::gui::IFontSetting> {
public:
    FontSetting();

    // IFontSetting
    Font* makeFont() const override;
    // The size of `other`, then every property `other` set explicitly.
    void takeSizeAndOverrides(const FontData& other) { m_data.takeSizeAndOverrides(other); }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_FontSetting"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;
};

}  // namespace s::gui::win
