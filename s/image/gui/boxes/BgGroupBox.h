// s/image/gui/boxes/BgGroupBox.h
//
// The background group of the settings boxes: "Fill Color" or "Keep Transparency", and the
// colour that transparent parts are filled with. A format without transparency shows the
// colour alone (setTransparencyChoice false before build: no radio buttons are made). The group that build returns belongs to the
// caller, who gives it to a parent (which releases it); the object only points at its
// controls and must not be used after they went. Pooled.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class ITextLocalizer; }
namespace s::gui::win { class GroupBox; class RadioButton; }

namespace s::image::gui::boxes {

class ColorPicker;

class BgGroupBox final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    BgGroupBox();
    ~BgGroupBox() override;
    BgGroupBox(const BgGroupBox&) = delete;
    BgGroupBox& operator=(const BgGroupBox&) = delete;

    s::gui::win::GroupBox* build(s::gui::ITextLocalizer* localizer);
    void setTransparencyChoice(bool shown);
    // While built, the radio buttons tell; before, the stored flag.
    bool getKeepTransparency() const;
    void setKeepTransparency(bool keep);
    ColorPicker* colorField() const { return m_color; }
    s::gui::win::RadioButton* fillButton() const { return m_fill; }
    s::gui::win::RadioButton* keepButton() const { return m_keep; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_gui_boxes_BgGroupBox"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool m_keepTransparency = true;
    bool m_choice = true;
    ColorPicker* m_color = nullptr;
    s::gui::win::GroupBox* m_group = nullptr;
    s::gui::win::RadioButton* m_fill = nullptr;
    s::gui::win::RadioButton* m_keep = nullptr;
};

}  // namespace s::image::gui::boxes
