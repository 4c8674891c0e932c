// s/gui/dialogs/win/ColorPicker.h
//
// The system's colour dialog, fully opened, starting at the picker's colour (white until
// one is set or chosen). Pooled.
#pragma once
#include "s/gui/dialogs/IColorPicker.h"

namespace s::gui::dialogs::win {

class ColorPicker final : public s::gui::dialogs::IColorPicker {
public:
    // IColorPicker
    bool show(s::gui::IComponent* parent) override;
    uint8_t getRed() const override { return m_red; }
    uint8_t getGreen() const override { return m_green; }
    uint8_t getBlue() const override { return m_blue; }
    uint32_t getColor() const override { return static_cast<uint32_t>(m_red) << 16 | m_green << 8 | m_blue; }
    void setColor(int32_t red, int32_t green, int32_t blue) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_win_ColorPicker"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { setColor(255, 255, 255); }

private:
    uint8_t m_red = 255, m_green = 255, m_blue = 255;
};

}  // namespace s::gui::dialogs::win
