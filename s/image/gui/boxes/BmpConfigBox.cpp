// s/image/gui/boxes/BmpConfigBox.cpp
#include "s/image/gui/boxes/BmpConfigBox.h"

#include "s/image/bmp/EncodeSetting.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
constexpr int32_t kDepths[] = {4, 8, 24, 32};
constexpr Caption kCaptions[] = {kBpp4, kBpp8, kBpp24, kBpp32};

s::image::bmp::EncodeSetting* bmpOf(s::image::IEncodeSetting* setting) {
    return dynamic_cast<s::image::bmp::EncodeSetting*>(setting);
}
}  // namespace

const int32_t* BmpConfigBox::depths() const { return kDepths; }

const Caption* BmpConfigBox::captions() const { return kCaptions; }

int32_t BmpConfigBox::settingDepth() const {
    const auto* setting = bmpOf(m_setting);
    return setting ? setting->getBpp() : s::image::bmp::EncodeSetting::kDefaultBpp;
}

bool BmpConfigBox::settingKeepsTransparency() const {
    const auto* setting = bmpOf(m_setting);
    return setting ? setting->getKeepTransparency() : true;
}

void BmpConfigBox::applyTo(s::image::IEncodeSetting* target) {
    auto* setting = bmpOf(target);
    if (!setting || !m_column) return;
    setting->setKeepTransparency(m_background->getKeepTransparency());
    applyBackground(setting);
    setting->setBpp(chosenDepth(setting->getBpp()));
}

s::base::IObject* BmpConfigBox::newInstance() const { return s::thread::Pool<BmpConfigBox>::obtain(); }

void BmpConfigBox::releaseToPool() { s::thread::Pool<BmpConfigBox>::release(this); }

}  // namespace s::image::gui::boxes
