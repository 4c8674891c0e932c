// s/image/gui/boxes/JpgConfigBox.h
//
// The JPEG settings box: the background colour (JPEG keeps no transparency, so the group
// shows the colour alone) and the quality, 0 to 100, on a slider with its value in a field
// beside it; either follows the other, and typed text that is no number in range is not
// taken. Pooled.
#pragma once
#include <cstdint>

#include "s/image/gui/boxes/ConfigBoxBase.h"

namespace s::gui::win { class Slider; class TextField; }

namespace s::image::gui::boxes {

class JpgConfigBox final : public ConfigBoxBase {
public:
    // The quality of a typed text: whole digits 0 to 100 (blanks around allowed), else false.
    static bool parseQuality(const wchar_t* text, int32_t* quality);

    int32_t getQuality() const { return m_quality; }
    s::gui::win::Slider* qualitySlider() const { return m_slider; }
    s::gui::win::TextField* qualityField() const { return m_field; }

    // s::image::IEncodeSettingBox: the colour and the quality.
    void applyTo(s::image::IEncodeSetting* setting) override;
    // IEncodeSettingBox
    const wchar_t* getTypeName() const override { return L"Jpeg"; }
    // IEventListener: the slider moved or the field was typed in.
    void onEvent(void* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_gui_boxes_JpgConfigBox"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool keepsTransparency() const override { return false; }
    void buildContent(s::gui::IBox* column) override;

private:
    void showQuality(bool slider, bool field);

    int32_t m_quality = 100;
    bool m_echo = false;
    s::gui::win::Slider* m_slider = nullptr;
    s::gui::win::TextField* m_field = nullptr;
};

}  // namespace s::image::gui::boxes
