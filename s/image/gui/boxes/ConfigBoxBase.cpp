// s/image/gui/boxes/ConfigBoxBase.cpp
#include "s/image/gui/boxes/ConfigBoxBase.h"

#include "s/gui/win/Box.h"
#include "s/gui/win/GroupBox.h"
#include "s/image/EncodeSetting.h"
#include "s/image/gui/boxes/BgGroupBox.h"
#include "s/image/gui/boxes/Captions.h"
#include "s/image/gui/boxes/ColorPicker.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
constexpr int32_t kColumnMargin = 10;
constexpr int32_t kColumnGap = 6;
}  // namespace

ConfigBoxBase::ConfigBoxBase() : m_background(s::thread::Pool<BgGroupBox>::obtain()) {}

ConfigBoxBase::~ConfigBoxBase() {
    if (m_background) m_background->releaseToPool();
}

const wchar_t* ConfigBoxBase::caption(const Caption& caption) const { return captionText(m_localizer, caption); }

s::gui::IBox* ConfigBoxBase::build() {
    if (m_column) return m_column;
    m_column = s::gui::win::newBox(s::gui::IBox::kVertical, 0, 100.0, 100.0, 0, kColumnGap, kColumnGap,
                                   kColumnMargin, kColumnMargin);
    m_background->setTransparencyChoice(keepsTransparency());
    m_column->addChild(m_background->build(m_localizer));
    auto* setting = dynamic_cast<s::image::EncodeSetting*>(m_setting);
    if (setting)
        m_background->colorField()->setColor(setting->getBgRed(), setting->getBgGreen(), setting->getBgBlue());
    buildContent(m_column);
    return m_column;
}

void ConfigBoxBase::applyBackground(s::image::EncodeSetting* setting) const {
    const ColorPicker* field = m_background->colorField();
    setting->setBackground(field->getRed(), field->getGreen(), field->getBlue());
}

void ConfigBoxBase::resetForReuse() {
    m_localizer = nullptr;
    m_setting = nullptr;
    m_column = nullptr;
    if (m_background) m_background->resetForReuse();
    m_scratch.clear();
}

}  // namespace s::image::gui::boxes
