// s/image/gui/boxes/DepthConfigBox.h
//
// The boxes of the formats with a choice of depth (BMP, GIF): the background group and a
// "Resolution" group with one radio button per depth. The setting's depth selects its
// button; applying takes the first checked button in the table's order.
#pragma once
#include <cstdint>

#include "s/image/gui/boxes/ConfigBoxBase.h"

namespace s::gui::win { class RadioButton; }

namespace s::image::gui::boxes {

class DepthConfigBox : public ConfigBoxBase {
public:
    static constexpr int kMaxDepths = 4;

    // The depth of the first checked button, or the fallback when none is.
    static int32_t firstCheckedDepth(const bool* checked, const int32_t* depths, int count, int32_t fallback);

    s::gui::win::RadioButton* depthButton(int index) const { return index < count() ? m_buttons[index] : nullptr; }

    // IPoolable
    void resetForReuse() override;

protected:
    virtual int count() const = 0;
    virtual const int32_t* depths() const = 0;
    virtual const Caption* captions() const = 0;
    virtual int32_t settingDepth() const = 0;
    virtual bool settingKeepsTransparency() const = 0;
    int32_t chosenDepth(int32_t fallback) const;
    void buildContent(s::gui::IBox* column) override;

private:
    s::gui::win::RadioButton* m_buttons[kMaxDepths] = {};
};

}  // namespace s::image::gui::boxes
