// s/image/gui/boxes/BgGroupBox.cpp
#include "s/image/gui/boxes/BgGroupBox.h"

#include "s/gui/IBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/RadioButton.h"
#include "s/image/gui/boxes/Captions.h"
#include "s/image/gui/boxes/ColorPicker.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

BgGroupBox::BgGroupBox() : m_color(s::thread::Pool<ColorPicker>::obtain()) {}

BgGroupBox::~BgGroupBox() {
    resetForReuse();
    if (m_color) m_color->releaseToPool();
}

s::gui::win::GroupBox* BgGroupBox::build(s::gui::ITextLocalizer* localizer) {
    if (m_group) return m_group;
    m_group = s::gui::win::newGroupBox(s::gui::IBox::kVertical, 5, 5, captionText(localizer, kBackground), -1);
    m_group->setTargetPercent(100, -1);
    s::gui::IBox* content = m_group->getContent();
    // Without the choice the group holds the colour alone.
    if (m_choice) {
        m_fill = s::gui::win::newRadioButton(captionText(localizer, kFillColor), !m_keepTransparency);
        m_keep = s::gui::win::newRadioButton(captionText(localizer, kKeepTransparency), m_keepTransparency);
        content->addChild(m_fill);
        content->addChild(m_keep);
    }
    content->addChild(m_color->build());
    return m_group;
}

void BgGroupBox::setTransparencyChoice(bool shown) {
    m_choice = shown;
    if (!m_fill) return;
    m_fill->setVisible(shown, false);
    m_keep->setVisible(shown, false);
}

bool BgGroupBox::getKeepTransparency() const {
    if (!m_choice) return false;
    return m_keep ? m_keep->isChecked() : m_keepTransparency;
}

void BgGroupBox::setKeepTransparency(bool keep) {
    m_keepTransparency = keep;
    if (!m_keep || !m_fill) return;
    m_keep->setChecked(keep, false);
    m_fill->setChecked(!keep, false);
}

s::base::IObject* BgGroupBox::newInstance() const { return s::thread::Pool<BgGroupBox>::obtain(); }

void BgGroupBox::releaseToPool() { s::thread::Pool<BgGroupBox>::release(this); }

void BgGroupBox::resetForReuse() {
    // The controls went with the group to its parent, which releases them.
    if (m_color) m_color->resetForReuse();
    m_group = nullptr;
    m_fill = m_keep = nullptr;
    m_keepTransparency = true;
    m_choice = true;
}

}  // namespace s::image::gui::boxes
