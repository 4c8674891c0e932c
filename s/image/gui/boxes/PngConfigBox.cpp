// s/image/gui/boxes/PngConfigBox.cpp
#include "s/image/gui/boxes/PngConfigBox.h"

#include "s/gui/IBox.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/image/png/EncodeSetting.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
s::image::png::EncodeSetting* pngOf(s::image::IEncodeSetting* setting) {
    return dynamic_cast<s::image::png::EncodeSetting*>(setting);
}
}  // namespace

void PngConfigBox::buildContent(s::gui::IBox* column) {
    const auto* setting = pngOf(m_setting);
    s::gui::win::GroupBox* group = s::gui::win::newGroupBox(s::gui::IBox::kVertical, 5, 5, caption(kInterlace), -1);
    group->setTargetPercent(100, -1);
    m_interlace = s::gui::win::newCheckBoxWithText(caption(kEnableInterlacing), setting ? setting->getWithInterlace() : true);
    group->getContent()->addChild(m_interlace);
    column->addChild(group);
    m_background->setKeepTransparency(setting ? setting->getKeepTransparency() : true);
}

void PngConfigBox::applyTo(s::image::IEncodeSetting* target) {
    auto* setting = pngOf(target);
    if (!setting || !m_column) return;
    setting->setKeepTransparency(m_background->getKeepTransparency());
    applyBackground(setting);
    setting->setWithInterlace(m_interlace->isChecked());
}

s::base::IObject* PngConfigBox::newInstance() const { return s::thread::Pool<PngConfigBox>::obtain(); }

void PngConfigBox::releaseToPool() { s::thread::Pool<PngConfigBox>::release(this); }

void PngConfigBox::resetForReuse() {
    ConfigBoxBase::resetForReuse();
    m_interlace = nullptr;
}

}  // namespace s::image::gui::boxes
