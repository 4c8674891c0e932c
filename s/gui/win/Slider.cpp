// s/gui/win/Slider.cpp
#include "s/gui/win/Slider.h"

#include <commctrl.h>
#include <windowsx.h>

#include "s/gui/IWindow.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/slider/SliderState.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/ControlColour.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/UiScale.h"
#include "s/thread/Pool.h"

namespace s::gui::win {


Slider::Slider() { resetForReuse(); }

Slider::~Slider() {
    followSkinner(nullptr);  // before the drawer it borrows goes
    m_drawer.release();
}

Slider* newSlider(int32_t widthPercent, int32_t heightPercent) {
    Slider* slider = s::thread::Pool<Slider>::obtain();
    if (widthPercent >= 0) slider->setWidthPercent(widthPercent);
    if (heightPercent >= 0) slider->setHeightPercent(heightPercent);
    return slider;
}

s::base::IObject* Slider::newInstance() const { return newSlider(); }
void Slider::releaseToPool() { s::thread::Pool<Slider>::release(this); }

void Slider::resetForReuse() {
    ComponentBase::resetForReuse();
    m_listeners.clear();
    m_drawer.release();
    m_buffer.release();
    m_minimum = 0;
    m_maximum = 100;
    m_position = 100;
    m_upper = 100;
    m_tickFrequency = 10;
    m_thumbLength = 0;
    m_ticks = false;
    m_dragThumb = 0;
    m_dragging = false;
    m_rangeMode = false;
    m_gradientStyle = 0;
    m_colourOne = m_colourTwo = 0;
    updatePreferredSize();
}

// Attached to a window with a skinner the component base follows it and hands every skin here.
void Slider::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin && skin->getSliderDrawer()) setDrawer(skin->getSliderDrawer(), false);
}

sliderrules::Limits Slider::limits() const {
    return {m_minimum, m_maximum, m_rangeMode, m_position, m_upper};
}

void Slider::setWidthPercent(int32_t percent) { setTargetPercent(percent, m_targetHeightPercent); }
void Slider::setHeightPercent(int32_t percent) { setTargetPercent(m_targetWidthPercent, percent); }
void Slider::setFixedWidth(int32_t width) { setFixedSize(width, m_fixedHeight); }
void Slider::setFixedHeight(int32_t height) { setFixedSize(m_fixedWidth, height); }

void Slider::setThumbLength(int32_t length) {
    m_thumbLength = length;
    if (!m_hWnd || length <= 0) return;
    ModifyStyle(0, TBS_FIXEDLENGTH);
    SetThumbLength(length);
}

void Slider::setRange(int32_t minimum, int32_t maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    // Both values stay on the new track, as the bar keeps its own thumb on it, and in range
    // mode apart; nobody is told.
    const sliderrules::Limits placed = sliderrules::onTrack(limits());
    m_position = placed.position;
    m_upper = placed.upper;
    if (!m_hWnd) return;
    SetRange(minimum, maximum, TRUE);
    SetPos(m_position);
}

void Slider::setPosition(int32_t position) {
    m_position = sliderrules::clampPosition(limits(), position);
    if (!m_hWnd) return;
    SetPos(m_position);
    if (m_drawer) Invalidate(FALSE);
}

void Slider::setUpper(int32_t upper) {
    m_upper = sliderrules::clampUpper(limits(), upper);
    if (m_hWnd && m_drawer) Invalidate(FALSE);
}

void Slider::setTickFrequency(int32_t frequency) {
    m_tickFrequency = frequency;
    if (!m_hWnd) return;
    SetTicFreq(frequency);
    SetPageSize(frequency * 10);
    SetLineSize(frequency);
}

void Slider::showTicks(bool show) {
    m_ticks = show;
    if (m_hWnd) ModifyStyle(show ? TBS_NOTICKS : TBS_AUTOTICKS, show ? TBS_AUTOTICKS : TBS_NOTICKS);
}

void Slider::setDrawer(s::gui::drawer::ISlider* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    if (m_hWnd) Invalidate(FALSE);
}

void Slider::setRangeMode(bool on) {
    m_rangeMode = on;
    if (m_hWnd && m_drawer) Invalidate(FALSE);
}

void Slider::setDrawerColours(int32_t style, uint32_t colourOne, uint32_t colourTwo) {
    m_gradientStyle = style;
    m_colourOne = colourOne;
    m_colourTwo = colourTwo;
    if (m_hWnd && m_drawer) Invalidate(FALSE);
}

void Slider::updatePreferredSize() {
    const int32_t scale = uiScale();
    setMinimumSize(kPreferredWidth * scale, kPreferredHeight * scale);
    setTargetSize(kPreferredWidth * scale, kPreferredHeight * scale);
    if (m_parent && m_hWnd) m_parent->childChanged();
}

// Made on the parent's object, which setParent has just taken from that window.
bool Slider::createNativeWindow(HWND) {
    DWORD style = kStyle | (m_ticks ? TBS_AUTOTICKS : TBS_NOTICKS);
    if (m_thumbLength > 0) style |= TBS_FIXEDLENGTH;
    if (!Create(style, RECT{0, 0, 0, 0}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    SetRange(m_minimum, m_maximum);
    SetPos(m_position);
    setTickFrequency(m_tickFrequency);
    if (m_thumbLength > 0) SetThumbLength(m_thumbLength);
    updatePreferredSize();
    return true;
}

s::gui::drawer::slider::SliderState Slider::drawState() const {
    s::gui::drawer::slider::SliderState state;
    state.enabled = m_enabled;
    state.range = m_maximum - m_minimum;
    state.position = m_position - m_minimum;
    state.rangeMode = m_rangeMode;
    state.secondPosition = m_upper - m_minimum;
    state.gradientStyle = m_gradientStyle;
    state.colourOne = m_colourOne;
    state.colourTwo = m_colourTwo;
    return state;
}

void Slider::paintBuffer(HDC dc, int32_t width, int32_t height) {
    s::gui::drawer::win::fill(dc, 0, 0, width, height, getBackgroundColour());
    m_drawer->draw(dc, 0, 0, width, height, drawState());
}

void Slider::tellParent() {
    if (HWND parent = ::GetParent(m_hWnd))
        ::PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, m_position),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void Slider::press(int32_t x, int32_t y) {
    m_dragThumb = 0;
    if (m_rangeMode) {
        // The thumbs where the drawer paints them, at the scale it paints them at.
        RECT client = {};
        GetClientRect(&client);
        const s::gui::drawer::slider::SliderState state = drawState();
        const RECT lower = m_drawer->thumbRect(0, 0, client.right, client.bottom, state, state.position);
        const RECT upper = m_drawer->thumbRect(0, 0, client.right, client.bottom, state, state.secondPosition);
        if (x >= lower.left && x < lower.right) m_dragThumb = 0;
        else if (x >= upper.left && x < upper.right) m_dragThumb = 1;
        else return;
    }
    SetCapture();
    ::SetFocus(m_hWnd);
    m_dragging = true;
    drag(x, y);
    if (m_dragThumb == 0) tellParent();
}

void Slider::drag(int32_t x, int32_t) {
    RECT channel = {};
    GetChannelRect(&channel);
    int32_t value = 0;
    if (!sliderrules::valueAt(x, channel.left, channel.right, m_minimum, m_maximum, &value))
        return;
    applyDragged(value);
}

void Slider::applyDragged(int32_t value) {
    if (m_dragThumb == 0) {
        value = sliderrules::clampPosition(limits(), value);
        if (value == m_position) return;
        m_position = value;
        m_listeners.fire(self(), kChanged);
        SetPos(m_position);
        tellParent();
        Invalidate(FALSE);
        return;
    }
    value = sliderrules::clampUpper(limits(), value);
    if (value == m_upper) return;
    m_upper = value;
    m_listeners.fire(self(), kChanged);
    Invalidate(FALSE);
}

// A drawn slider swallows the bar's scroll notices (its own drags post them): after a key
// the bar's position is taken here, kept below the upper thumb, and heard like a drag.
void Slider::keyMovedDrawn() {
    const int32_t moved = GetPos();
    const int32_t value = sliderrules::clampPosition(limits(), moved);
    if (value != moved) SetPos(value);
    if (value == m_position) return;
    m_position = value;
    m_listeners.fire(self(), kChanged);
    Invalidate(FALSE);
}

// The system's control moved its thumb (keys, mouse, wheel) and told its parent.
void Slider::nativeScrolled() {
    const int32_t value = GetPos();
    if (value == m_position) return;
    m_position = value;
    m_listeners.fire(self(), kChanged);
}

LRESULT Slider::colourAnswer(HDC dc) {
    const ColourRequest request = {m_backgroundInherited && inheritsNoBackground(m_parent), getBackgroundColour(),
                                   CLR_INVALID};
    return answerControlColour(dc, request, &m_brush);
}

bool Slider::wheel(LRESULT* result, WPARAM wParam, LPARAM lParam) {
    POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT area = {};
    GetWindowRect(&area);
    if (PtInRect(&area, cursor) || !m_window) return false;
    mfc::CWnd* top = m_window->nativeWindow();
    if (!top || !top->m_hWnd) return false;
    *result = ::SendMessageW(top->m_hWnd, WM_MOUSEWHEEL, wParam, lParam);
    return true;
}

bool Slider::handleDrawnMessage(LRESULT* result, UINT message, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        m_buffer.paint(m_hWnd, this);
        return true;
    case WM_HSCROLL:
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the track bar's class asks for double clicks: a quick second press
        press(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_MOUSEMOVE:
        if (m_dragging) drag(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_LBUTTONUP:
        if (m_dragging) {
            m_dragging = false;
            ReleaseCapture();
        }
        return true;
    default:
        return false;
    }
}

bool Slider::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_drawer && handleDrawnMessage(result, message, lParam)) return true;
    switch (message) {
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_HSCROLL:
        *result = DefWindowProc(message, wParam, lParam);
        nativeScrolled();
        return true;
    case WM_KEYDOWN: {
        // The arrows up and down move by a page, up towards the maximum.
        const WPARAM key = wParam == VK_UP ? VK_NEXT : wParam == VK_DOWN ? VK_PRIOR : wParam;
        *result = DefWindowProc(message, key, lParam);
        if (m_drawer) keyMovedDrawn();
        return true;
    }
    case WM_MOUSEWHEEL:
        return wheel(result, wParam, lParam);
    case kReflectColour:
        *result = colourAnswer(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
