// s/image/gui/boxes/GifConfigBox.h
//
// The Gif settings box: the background group and the depth (4 or 8 bits).
// Pooled.
#pragma once
#include "s/image/gui/boxes/DepthConfigBox.h"

namespace s::image::gui::boxes {

class GifConfigBox final : public DepthConfigBox {
public:
    // s::image::IEncodeSettingBox: the keep-transparency flag, the colour and the depth.
    void applyTo(s::image::IEncodeSetting* setting) override;
    // IEncodeSettingBox
    const wchar_t* getTypeName() const override { return L"Gif"; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_gui_boxes_GifConfigBox"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;

protected:
    int count() const override { return 2; }
    const int32_t* depths() const override;
    const Caption* captions() const override;
    int32_t settingDepth() const override;
    bool settingKeepsTransparency() const override;
};

}  // namespace s::image::gui::boxes
