// s/gui/win/WindowHover.cpp
#include "s/gui/win/WindowHover.h"

#include "s/gui/win/LayeredAlpha.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/WindowTimers.h"

namespace s::gui::win {

namespace {

constexpr UINT kFadeWaitMs = 500, kFadeInMs = 25, kFadeOutMs = 10;
constexpr UINT kShrinkGrowMs = 25, kShrinkStepMs = 10;
constexpr int32_t kDefaultDelaySeconds = 5;

// Either Shift key as it is now, not as the window's queue last saw it.
bool shiftHeld() { return ((GetAsyncKeyState(VK_SHIFT) | GetKeyState(VK_SHIFT)) & 0x8000) != 0; }

int32_t towards(int32_t value, int32_t goal, int32_t step) {
    if (value > goal) return value - step > goal ? value - step : goal;
    return value + step < goal ? value + step : goal;
}

// A step of a fifth (or a fifteenth ...) of the whole, at least one.
int32_t stepOf(int32_t whole, int32_t parts) { return whole / parts > 1 ? whole / parts : 1; }

int32_t delayOf(bool on, int32_t delaySeconds) {
    if (!on) return kDefaultDelaySeconds;
    return delaySeconds < 0 ? kDefaultDelaySeconds : delaySeconds;
}

}  // namespace

HWND WindowHover::handle() const { return m_window.getHandle(); }

void WindowHover::setAlpha(int32_t percent, bool onlyWhileTopmost) {
    m_alphaTarget = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    m_alphaOnlyTopmost = onlyWhileTopmost;
    if (handle()) applyAlpha();
}

void WindowHover::applyAlpha() { showAlpha(m_alphaOnlyTopmost && !m_window.isTopmost() ? 100 : m_alphaTarget); }

void WindowHover::showAlpha(int32_t value) {
    if (value == m_alpha) return;
    if (value < 100) {
        DWORD loadError = 0;
        SetLayeredAlphaFunction setAlpha = layeredAlphaFunction(&loadError);
        if (loadError) showInfoMessage(alphaLoadFailureText(loadError).c_str());
        // Without the function the window keeps the alpha it has.
        if (!setAlpha) return;
        if (handle()) m_window.ModifyStyleEx(0, WS_EX_LAYERED, 0);
        int32_t byte = value * 255 / 100;
        setAlpha(handle(), 0, static_cast<BYTE>(byte < 0 ? 0 : byte > 255 ? 255 : byte), LWA_ALPHA);
    } else if (handle()) {
        m_window.ModifyStyleEx(WS_EX_LAYERED, 0, 0);
    }
    m_alpha = value;
}

void WindowHover::setFade(bool on, int32_t delaySeconds) {
    stopFade();
    m_fade = on;
    m_delaySeconds = delayOf(on, delaySeconds);
}

void WindowHover::setShrink(bool on, int32_t delaySeconds, int32_t width, int32_t height) {
    stopShrink();
    m_shrink = on;
    m_delaySeconds = delayOf(on, delaySeconds);
    m_shrunkWidth = width;
    m_shrunkHeight = height;
}

void WindowHover::setConditions(bool onlyWhileTopmost, bool shiftOverrides) {
    m_onlyTopmost = onlyWhileTopmost;
    m_shiftOverrides = shiftOverrides;
}

void WindowHover::stop() {
    stopShrink();
    stopFade();
}

// Undoes a running fade: the alpha comes back to what was asked for.
void WindowHover::stopFade() {
    for (UINT_PTR id : {kFadeWaitTimer, kFadeInTimer, kFadeOutTimer}) ::KillTimer(handle(), id);
    m_fadeActive = false;
    applyAlpha();
}

// Undoes a running shrink: the saved full size comes back exactly.
void WindowHover::stopShrink() {
    for (UINT_PTR id : {kShrinkWaitTimer, kShrinkGrowTimer, kShrinkStepTimer}) ::KillTimer(handle(), id);
    if (m_fullWidth >= 0) m_window.setSize(m_fullWidth, m_fullHeight);
    m_fullWidth = m_fullHeight = -1;
    m_shrinkActive = false;
}

bool WindowHover::cursorOutside() const {
    POINT cursor = {};
    RECT r = {};
    ::GetCursorPos(&cursor);
    ::GetWindowRect(handle(), &r);
    return !PtInRect(&r, cursor);
}

void WindowHover::onMouseMove() {
    if (!m_fade && !m_shrink) return;
    if (m_onlyTopmost && !m_window.isTopmost()) return;
    if (m_shrink && !m_shrinkActive) {
        applyAlpha();
        m_fullWidth = m_window.boundsWidth();
        m_fullHeight = m_window.boundsHeight();
        m_shrinkActive = true;
        ::SetTimer(handle(), kShrinkStepTimer, kShrinkStepMs, nullptr);
        return;
    }
    if (!m_fade) return;
    if (m_shiftOverrides && shiftHeld()) {
        stopFade();
        return;
    }
    if (m_fadeActive && m_alpha == 0) {
        m_fadeCountdownMs = m_delaySeconds * 1000;
        return;
    }
    for (UINT_PTR id : {kFadeWaitTimer, kFadeInTimer}) ::KillTimer(handle(), id);
    m_fadeActive = true;
    ::SetTimer(handle(), kFadeOutTimer, kFadeOutMs, nullptr);
}

bool WindowHover::onTimer(WPARAM id) {
    if (id == kFadeOutTimer || id == kFadeWaitTimer || id == kFadeInTimer) {
        fadeStep(id);
        return true;
    }
    if (id == kShrinkStepTimer || id == kShrinkWaitTimer || id == kShrinkGrowTimer) {
        shrinkStep(id);
        return true;
    }
    return false;
}

void WindowHover::fadeStep(WPARAM id) {
    if (!m_fadeActive) {
        ::KillTimer(handle(), id);
        return;
    }
    const int32_t target = m_alphaTarget;
    if (id == kFadeOutTimer) {
        showAlpha(m_alpha - stepOf(target, 5) > 0 ? m_alpha - stepOf(target, 5) : 0);
        if (m_alpha > 0) return;
        ::KillTimer(handle(), kFadeOutTimer);
        m_fadeCountdownMs = m_delaySeconds * 1000;
        ::SetTimer(handle(), kFadeWaitTimer, kFadeWaitMs, nullptr);
    } else if (id == kFadeWaitTimer) {
        if (m_shiftOverrides && shiftHeld()) {
            stopFade();
            return;
        }
        if (!cursorOutside()) return;
        m_fadeCountdownMs -= static_cast<int32_t>(kFadeWaitMs);
        if (m_fadeCountdownMs >= 1) return;
        ::KillTimer(handle(), kFadeWaitTimer);
        ::SetTimer(handle(), kFadeInTimer, kFadeInMs, nullptr);
    } else {
        showAlpha(m_alpha + stepOf(target, 10) < target ? m_alpha + stepOf(target, 10) : target);
        if (m_alpha < target) return;
        ::KillTimer(handle(), kFadeInTimer);
        m_fadeActive = false;
    }
}

void WindowHover::shrinkStep(WPARAM id) {
    if (!m_shrinkActive || m_fullWidth < 0) {
        ::KillTimer(handle(), id);
        return;
    }
    const int32_t goalW = m_shrunkWidth < 0 ? m_fullWidth : m_shrunkWidth;
    const int32_t goalH = m_shrunkHeight < 0 ? m_fullHeight : m_shrunkHeight;
    const int32_t width = m_window.boundsWidth(), height = m_window.boundsHeight();
    if (id == kShrinkStepTimer) {
        const int32_t w = towards(width, goalW, stepOf(m_fullWidth, 5));
        const int32_t h = towards(height, goalH, stepOf(m_fullHeight, 5));
        m_window.setSize(w, h);
        if (w != goalW || h != goalH) return;
        ::KillTimer(handle(), kShrinkStepTimer);
        ::SetTimer(handle(), kShrinkWaitTimer, static_cast<UINT>(m_delaySeconds * 1000 + 1), nullptr);
    } else if (id == kShrinkWaitTimer) {
        // Outside the full size, not only the shrunken one.
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        RECT full = {};
        ::GetWindowRect(handle(), &full);
        full.right = full.left + m_fullWidth;
        full.bottom = full.top + m_fullHeight;
        if (PtInRect(&full, cursor)) return;
        ::KillTimer(handle(), kShrinkWaitTimer);
        ::SetTimer(handle(), kShrinkGrowTimer, kShrinkGrowMs, nullptr);
    } else {
        const int32_t w = towards(width, m_fullWidth, stepOf(m_fullWidth, 15));
        const int32_t h = towards(height, m_fullHeight, stepOf(m_fullHeight, 15));
        m_window.setSize(w, h);
        if (w != m_fullWidth || h != m_fullHeight) return;
        stopShrink();
    }
}

}  // namespace s::gui::win
