// s/image/gui/boxes/DepthConfigBox.cpp
#include "s/image/gui/boxes/DepthConfigBox.h"

#include "s/gui/IBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/RadioButton.h"
#include "s/image/gui/boxes/BgGroupBox.h"

namespace s::image::gui::boxes {

int32_t DepthConfigBox::firstCheckedDepth(const bool* checked, const int32_t* depths, int count, int32_t fallback) {
    for (int i = 0; i < count; ++i)
        if (checked[i]) return depths[i];
    return fallback;
}

void DepthConfigBox::buildContent(s::gui::IBox* column) {
    s::gui::win::GroupBox* group = s::gui::win::newGroupBox(s::gui::IBox::kVertical, 5, 5, caption(kResolution), -1);
    group->setTargetPercent(100, -1);
    group->getContent()->setMarginHorizontal(10, false);
    group->getContent()->setMarginVertical(5, false);
    const int32_t depth = settingDepth();
    for (int i = 0; i < count(); ++i) {
        m_buttons[i] = s::gui::win::newRadioButton(caption(captions()[i]), depths()[i] == depth);
        group->getContent()->addChild(m_buttons[i]);
        m_buttons[i]->addCheckedListener(this);
    }
    column->addChild(group);
    m_background->setKeepTransparency(settingKeepsTransparency());
}

int32_t DepthConfigBox::chosenDepth(int32_t fallback) const {
    bool checked[kMaxDepths] = {};
    for (int i = 0; i < count(); ++i) checked[i] = m_buttons[i] && m_buttons[i]->isChecked();
    return firstCheckedDepth(checked, depths(), count(), fallback);
}

void DepthConfigBox::resetForReuse() {
    ConfigBoxBase::resetForReuse();
    for (auto*& button : m_buttons) button = nullptr;
}

}  // namespace s::image::gui::boxes
