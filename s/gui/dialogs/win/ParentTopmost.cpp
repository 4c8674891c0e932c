// s/gui/dialogs/win/ParentTopmost.cpp
#include "s/gui/dialogs/win/ParentTopmost.h"

#include "s/gui/IComponent.h"
#include "s/gui/IWindow.h"

namespace s::gui::dialogs::win {

ParentTopmost::ParentTopmost(s::gui::IComponent* parent)
    : m_window(parent ? parent->getWindow() : nullptr) {
    if (!m_window) return;
    m_handle = m_window->getHandle();
    m_wasTopmost = m_window->isTopmost();
    if (m_wasTopmost) m_window->setTopmost(false);
}

ParentTopmost::~ParentTopmost() {
    if (m_wasTopmost) m_window->setTopmost(true);
}

}  // namespace s::gui::dialogs::win
