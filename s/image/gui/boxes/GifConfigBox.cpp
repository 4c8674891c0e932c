// s/image/gui/boxes/GifConfigBox.cpp
#include "s/image/gui/boxes/GifConfigBox.h"

#include "s/image/gif/EncodeSetting.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
constexpr int32_t kDepths[] = {4, 8};
constexpr Caption kCaptions[] = {kBpp4, kBpp8};

s::image::gif::EncodeSetting* gifOf(s::image::IEncodeSetting* setting) {
    return dynamic_cast<s::image::gif::EncodeSetting*>(setting);
}
}  // namespace

const int32_t* GifConfigBox::depths() const { return kDepths; }

const Caption* GifConfigBox::captions() const { return kCaptions; }

int32_t GifConfigBox::settingDepth() const {
    const auto* setting = gifOf(m_setting);
    return setting ? setting->getBpp() : s::image::gif::EncodeSetting::kDefaultBpp;
}

bool GifConfigBox::settingKeepsTransparency() const {
    const auto* setting = gifOf(m_setting);
    return setting ? setting->getKeepTransparency() : true;
}

void GifConfigBox::applyTo(s::image::IEncodeSetting* target) {
    auto* setting = gifOf(target);
    if (!setting || !m_column) return;
    setting->setKeepTransparency(m_background->getKeepTransparency());
    applyBackground(setting);
    setting->setBpp(chosenDepth(setting->getBpp()));
}

s::base::IObject* GifConfigBox::newInstance() const { return s::thread::Pool<GifConfigBox>::obtain(); }

void GifConfigBox::releaseToPool() { s::thread::Pool<GifConfigBox>::release(this); }

}  // namespace s::image::gui::boxes
