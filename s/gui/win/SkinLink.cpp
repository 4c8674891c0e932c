// s/gui/win/SkinLink.cpp
#include "s/gui/win/SkinLink.h"

#include "s/gui/drawer/Skinner.h"

namespace s::gui::win {

void SkinLink::follow(s::gui::drawer::Skinner* skinner) {
    if (skinner == m_skinner) return;
    if (m_skinner) m_skinner->removeListener(this);
    m_skinner = skinner;
    if (!skinner) return;
    skinner->addListener(this);
    takeCurrent();
}

void SkinLink::onEvent(s::gui::drawer::Skinner* source, int32_t) {
    if (source == m_skinner) takeCurrent();
}

void SkinLink::takeCurrent() {
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->getCurrentSkin() : nullptr;
    if (skin) m_take(m_owner, skin);
}

}  // namespace s::gui::win
