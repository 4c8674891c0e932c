// s/gui/win/ProgressBar.cpp
#include "s/gui/win/ProgressBar.h"

#include <commctrl.h>

#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

constexpr UINT kControlId = 1007;

}  // namespace

void ProgressBar::restoreDefaults() {
    m_minimum = 0;
    m_maximum = 100;
    m_position = 0;
    m_backgroundInherited = true;
}

void ProgressBar::resetForReuse() {
    ComponentBase::resetForReuse();
    restoreDefaults();
}

s::base::IObject* ProgressBar::newInstance() const { return s::thread::Pool<ProgressBar>::obtain(); }

void ProgressBar::releaseToPool() { s::thread::Pool<ProgressBar>::release(this); }

int32_t ProgressBar::getTargetWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    if (m_targetWidthPercent < 0 || !m_parent) return 0;
    return m_parent->getInnerWidth() * m_targetWidthPercent / 100;
}

int32_t ProgressBar::getTargetHeight() const {
    if (m_fixedHeight >= 0) return m_fixedHeight;
    if (m_targetHeightPercent < 0 || !m_parent) return 0;
    return m_parent->getInnerHeight() * m_targetHeightPercent / 100;
}

void ProgressBar::setRange(int32_t minimum, int32_t maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    if (m_hWnd) SetRange32(minimum, maximum);
}

void ProgressBar::setPosition(int32_t value) {
    m_position = value;
    if (m_hWnd) SetPos(value);
}

bool ProgressBar::createNativeWindow(HWND) {
    if (!Create(WS_CHILD, RECT{}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    SetRange32(m_minimum, m_maximum);
    SetPos(m_position);
    return true;
}

bool ProgressBar::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        *result = 1;
        return true;
    }
    return ComponentBase::handleMessage(result, message, wParam, lParam);
}

}  // namespace s::gui::win
