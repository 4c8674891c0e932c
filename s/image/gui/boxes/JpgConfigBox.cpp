// s/image/gui/boxes/JpgConfigBox.cpp
#include "s/image/gui/boxes/JpgConfigBox.h"

#include <cwctype>
#include <string>

#include "s/gui/IBox.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/TextField.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/image/jpg/EncodeSetting.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
constexpr int32_t kFieldWidth = 40;

s::image::jpg::EncodeSetting* jpgOf(s::image::IEncodeSetting* setting) {
    return dynamic_cast<s::image::jpg::EncodeSetting*>(setting);
}
}  // namespace

bool JpgConfigBox::parseQuality(const wchar_t* text, int32_t* quality) {
    if (!text) return false;
    while (*text == L' ') ++text;
    int32_t value = 0;
    int digits = 0;
    for (; iswdigit(*text) && digits < 4; ++text, ++digits) value = value * 10 + (*text - L'0');
    while (*text == L' ') ++text;
    if (digits == 0 || digits > 3 || *text || value > 100) return false;
    *quality = value;
    return true;
}

void JpgConfigBox::buildContent(s::gui::IBox* column) {
    if (const auto* setting = jpgOf(m_setting)) m_quality = setting->getQuality();
    s::gui::win::GroupBox* group = s::gui::win::newGroupBox(s::gui::IBox::kRow, 6, 0, caption(kQuality), -1);
    group->setTargetPercent(100, -1);
    m_slider = s::gui::win::newSlider(-1, -1);
    m_slider->setRange(0, 100);
    m_slider->setTickFrequency(10);
    m_slider->setFixedWidth(160);
    m_field = s::gui::win::newTextField();
    m_field->setFixedWidth(kFieldWidth);
    group->getContent()->addChild(m_slider);
    group->getContent()->addChild(m_field);
    column->addChild(group);
    showQuality(true, true);
    m_slider->addListener(this);
    m_field->addChangeListener(this);
}

void JpgConfigBox::showQuality(bool slider, bool field) {
    m_echo = true;
    if (slider && m_slider) m_slider->setPosition(m_quality);
    if (field && m_field) m_field->setText(std::to_wstring(m_quality).c_str(), false);
    m_echo = false;
}

void JpgConfigBox::onEvent(void* source, int32_t) {
    if (m_echo || !m_column) return;
    if (source == static_cast<s::gui::IComponent*>(m_slider)) {
        m_quality = m_slider->getPosition();
        showQuality(false, true);
    } else if (source == static_cast<s::gui::IComponent*>(m_field)) {
        int32_t typed = 0;
        if (!parseQuality(m_field->getText(), &typed)) return;
        m_quality = typed;
        showQuality(true, false);
    }
}

void JpgConfigBox::applyTo(s::image::IEncodeSetting* target) {
    auto* setting = jpgOf(target);
    if (!setting || !m_column) return;
    applyBackground(setting);
    setting->setQuality(m_quality);
}

s::base::IObject* JpgConfigBox::newInstance() const { return s::thread::Pool<JpgConfigBox>::obtain(); }

void JpgConfigBox::releaseToPool() { s::thread::Pool<JpgConfigBox>::release(this); }

void JpgConfigBox::resetForReuse() {
    ConfigBoxBase::resetForReuse();
    m_quality = 100;
    m_echo = false;
    m_slider = nullptr;
    m_field = nullptr;
}

}  // namespace s::image::gui::boxes
