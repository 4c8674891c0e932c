// s/image/gui/boxes/ConfigBoxBase.h
//
// What the four settings boxes share: the localizer (optional), the encode setting they
// edit (not owned), the outer column that build returns (the caller's, given to a parent
// that releases it) and the background group, taken from its pool with the box. The box
// only points at its controls and is not used after they went.
#pragma once
#include "s/image/gui/IEncodeSettingBox.h"
#include "s/image/gui/boxes/Captions.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::win { class Box; }
namespace s::image { class EncodeSetting; }

namespace s::image::gui::boxes {

class BgGroupBox;

class ConfigBoxBase : public s::image::gui::IEncodeSettingBox {
public:
    ConfigBoxBase();
    ~ConfigBoxBase() override;
    ConfigBoxBase(const ConfigBoxBase&) = delete;
    ConfigBoxBase& operator=(const ConfigBoxBase&) = delete;

    // s::image::IEncodeSettingBox
    void link(s::image::IEncodeSetting* setting) override { attach(setting); }
    // IEncodeSettingBox
    void attach(s::image::IEncodeSetting* setting) override { m_setting = setting; }
    s::gui::IBox* build() override;
    void setLocalizer(s::gui::ITextLocalizer* localizer) override { m_localizer = localizer; }

    BgGroupBox* background() const { return m_background; }
    s::image::IEncodeSetting* attached() const { return m_setting; }

    // IPoolable
    void resetForReuse() override;

protected:
    // Whether the format can keep transparency (the background group then offers the choice).
    virtual bool keepsTransparency() const { return true; }
    // The format's own controls below the background group, set from the setting.
    virtual void buildContent(s::gui::IBox* column) = 0;
    const wchar_t* caption(const Caption& caption) const;
    // The background choices into the setting: the colour always, the flag by the caller.
    void applyBackground(s::image::EncodeSetting* setting) const;

    s::gui::ITextLocalizer* m_localizer = nullptr;
    s::image::IEncodeSetting* m_setting = nullptr;
    s::gui::win::Box* m_column = nullptr;
    BgGroupBox* m_background = nullptr;
    s::str::strbuffer::StrBuffer m_scratch;
};

}  // namespace s::image::gui::boxes
