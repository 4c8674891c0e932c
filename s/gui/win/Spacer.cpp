// s/gui/win/Spacer.cpp
#include "s/gui/win/Spacer.h"

#include <utility>

#include "s/gui/IBox.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

void Spacer::restoreDefaults() {
    m_vertical = false;
    m_fixedWidth = m_fixedHeight = 1;
    m_targetWidthPercent = m_targetHeightPercent = -1;
    m_backgroundInherited = true;
}

void Spacer::resetForReuse() {
    ComponentBase::resetForReuse();
    restoreDefaults();
}

s::base::IObject* Spacer::newInstance() const { return s::thread::Pool<Spacer>::obtain(); }

void Spacer::releaseToPool() { s::thread::Pool<Spacer>::release(this); }

void Spacer::turn(bool vertical) {
    if (vertical == m_vertical) return;
    std::swap(m_fixedWidth, m_fixedHeight);
    std::swap(m_targetWidthPercent, m_targetHeightPercent);
    m_vertical = vertical;
}

bool Spacer::parentKindIs(int32_t kind) const {
    auto* box = dynamic_cast<const s::gui::IBox*>(m_parent);
    return box && box->getLayoutKind() == kind;
}

int32_t Spacer::length(bool zero, int32_t fixed, int32_t percent, int32_t parentInner,
                       int32_t minimum, int32_t target) const {
    if (zero) return 0;
    if (fixed >= 0) return fixed;
    if (percent >= 0 && parentInner >= 0) return parentInner * percent / 100;
    return minimum > target ? minimum : target;
}

int32_t Spacer::getMinWidth() const {
    if (m_vertical && parentKindIs(s::gui::IBox::kRow)) return 0;
    return m_fixedWidth >= 0 ? m_fixedWidth : m_minWidth;
}

int32_t Spacer::getMinHeight() const {
    if (!m_vertical && parentKindIs(s::gui::IBox::kVertical)) return 0;
    return m_fixedHeight >= 0 ? m_fixedHeight : m_minHeight;
}

int32_t Spacer::getTargetWidth() const {
    return length(m_vertical && parentKindIs(s::gui::IBox::kRow), m_fixedWidth,
                  m_targetWidthPercent, m_parent ? m_parent->getInnerWidth() : -1, m_minWidth,
                  m_targetWidth);
}

int32_t Spacer::getTargetHeight() const {
    return length(!m_vertical && parentKindIs(s::gui::IBox::kVertical), m_fixedHeight,
                  m_targetHeightPercent, m_parent ? m_parent->getInnerHeight() : -1,
                  m_minHeight, m_targetHeight);
}

bool Spacer::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // An inherited background is the picture painted beneath, not only its colour.
        paintBuffered(false);
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
