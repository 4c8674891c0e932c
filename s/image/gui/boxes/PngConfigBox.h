// s/image/gui/boxes/PngConfigBox.h
//
// The PNG settings box: the background group and the "Interlace" group with its check box.
// Pooled.
#pragma once
#include "s/image/gui/boxes/ConfigBoxBase.h"

namespace s::gui::win { class CheckBox; }

namespace s::image::gui::boxes {

class PngConfigBox final : public ConfigBoxBase {
public:
    s::gui::win::CheckBox* interlaceBox() const { return m_interlace; }

    // s::image::IEncodeSettingBox: the keep-transparency flag, the colour and interlacing.
    void applyTo(s::image::IEncodeSetting* setting) override;
    // IEncodeSettingBox
    const wchar_t* getTypeName() const override { return L"Png"; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_gui_boxes_PngConfigBox"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    void buildContent(s::gui::IBox* column) override;

private:
    s::gui::win::CheckBox* m_interlace = nullptr;
};

}  // namespace s::image::gui::boxes
