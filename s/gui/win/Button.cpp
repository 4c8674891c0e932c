// s/gui/win/Button.cpp
#include "s/gui/win/Button.h"

#include <commctrl.h>

#include "mfc/CClientDC.h"
#include "s/gui/IFontDescription.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/ControlColour.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/NativeButtonPaint.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_TABSTOP | BS_NOTIFY;  // 0x40014000
constexpr UINT kControlId = 1000;
// Beside the caption, each side: the face's 2-pixel edge and 4 pixels before the letters.
constexpr int32_t kCaptionRoom = 2 * (2 + 4);
constexpr wchar_t kResizer[] = L"#Resizer";
constexpr int32_t kPresetTextId = 2000003000;
constexpr UINT kReflectedClicked = WM_APP + 0x04;
constexpr UINT kReflectedDoubleClicked = WM_APP + 0x05;
constexpr COLORREF kGripGrey = 0xA1B5B8;

POINT screenPoint(HWND window, LPARAM lParam) {
    POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    ::ClientToScreen(window, &p);
    return p;
}

}  // namespace

Button::Button() { restoreDefaults(); }

Button::~Button() = default;

void Button::restoreDefaults() {
    m_textId = -1;
    m_text.clear();
    m_font.resetForReuse();
    m_disabledFont.resetForReuse();
    m_disabledFont.setDisabledText(true);
    m_toggledFont.resetForReuse();
    m_measuredWidth = m_measuredHeight = 0;
    m_autoRepeat = false;
    m_lastPoint = {0, 0};
    m_held = false;
    m_look = 0;
    m_drawer.release();
    m_framed = true;
    m_toggleMode = m_invertedLook = m_drawerFlag = m_toggled = m_default = false;
    m_mayUntoggle = true;
    m_backgroundInherited = true;
}

void Button::resetForReuse() {
    setVisible(false, false);
    ComponentBase::resetForReuse();
    m_drawer.release();
    if (m_measureFont) m_measureFont->releaseToPool();
    m_measureFont = nullptr;
    m_clicks.clear();
    m_toggles.clear();
    m_presses.clear();
    restoreDefaults();
}

s::base::IObject* Button::newInstance() const { return s::thread::Pool<Button, 0>::obtain(); }

void Button::releaseToPool() { s::thread::Pool<Button, 0>::release(this); }

int32_t Button::getMinWidth() const { return m_fixedWidth >= 0 ? m_fixedWidth : m_measuredWidth; }

int32_t Button::getMinHeight() const {
    return m_fixedHeight >= 0 ? m_fixedHeight : m_measuredHeight;
}

int32_t Button::getTargetWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    if (m_targetWidthPercent < 0 || !m_parent) return m_measuredWidth;
    return m_parent->getInnerWidth() * m_targetWidthPercent / 100;
}

int32_t Button::getTargetHeight() const {
    if (m_fixedHeight >= 0) return m_fixedHeight;
    if (m_targetHeightPercent < 0 || !m_parent) return m_measuredHeight;
    return m_parent->getInnerHeight() * m_targetHeightPercent / 100;
}

void Button::setParent(s::gui::IComponent* parent) {
    if (!parent && m_window && m_window->getLocalizer())
        m_window->getLocalizer()->removeListener(this);
    ComponentBase::setParent(parent);
    if (parent && m_window && m_window->getLocalizer())
        m_window->getLocalizer()->addListener(this);
}

bool Button::createNativeWindow(HWND) {
    // The grip is worked by the mouse: the keyboard's Tab passes it by.
    const DWORD style = isResizer() ? kStyle & ~static_cast<DWORD>(WS_TABSTOP) : kStyle;
    if (!Create(L"Button", style, RECT{}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    if (m_textId >= 0) setTextId(m_textId);
    SetWindowText(m_text.cString());
    if (m_default) setDefaultStyle(true);
    measure();
    return true;
}

void Button::onEvent(void* source, int32_t code) {
    if (passToUiThread(this, source, code)) return;
    if (m_window && source == m_window->getLocalizer() && m_textId >= 0) setTextId(m_textId);
}

void Button::setText(const wchar_t* text) {
    m_text.clear();
    m_text.append(text ? text : L"");
    if (m_hWnd) SetWindowText(m_text.cString());
    measure();
}

void Button::setTextId(int32_t id) {
    m_textId = id;
    s::gui::ITextLocalizer* localizer = m_window ? m_window->getLocalizer() : nullptr;
    if (localizer) setText(localizer->getText(id));
}

void Button::setColourCaption(uint8_t red, uint8_t green, uint8_t blue) {
    s::str::strbuffer::StrBuffer caption;
    caption.append(L"#Color-");
    caption.appendHex32(RGB(red, green, blue));
    setText(caption.cString());
}

// The caption's ideal size with the normal font; with both sizes fixed there is nothing to ask.
void Button::measure() {
    if (!m_hWnd) return;
    if (m_drawer && m_fixedWidth >= 0 && m_fixedHeight >= 0) {
        m_measuredWidth = m_fixedWidth;
        m_measuredHeight = m_fixedHeight;
    } else {
        if (!m_measureFont) m_measureFont = m_font.makeFont();
        if (m_measureFont) SetFont(m_measureFont->getHandle(), TRUE);
        SIZE ideal = {0, 0};
        if (!GetIdealSize(&ideal)) {
            CClientDC dc(m_hWnd);
            HGDIOBJ old = m_measureFont ? SelectObject(dc, m_measureFont->getHandle()) : nullptr;
            GetTextExtentPoint32W(dc, m_text.cString(), static_cast<int>(m_text.length()), &ideal);
            if (old) SelectObject(dc, old);
            ideal.cx += 16;
            ideal.cy += 10;
        }
        // The ideal size leaves the caption one pixel beside the face's edge (Wine 8.0): the
        // frame would touch its first and last letters.
        m_measuredWidth = ideal.cx > captionWidth() + kCaptionRoom ? ideal.cx : captionWidth() + kCaptionRoom;
        m_measuredHeight = ideal.cy;
    }
    if (m_parent) m_parent->childChanged();
}

int32_t Button::captionWidth() {
    if (m_text.length() == 0 || m_text.cString()[0] == L'#') return 0;
    CClientDC dc(m_hWnd);
    HGDIOBJ old = m_measureFont ? SelectObject(dc, m_measureFont->getHandle()) : nullptr;
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, m_text.cString(), static_cast<int>(m_text.length()), &size);
    if (old) SelectObject(dc, old);
    return size.cx;
}

void Button::setDrawer(s::gui::drawer::IButton* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    if (!drawer) {
        redraw();
        return;
    }
    // The skin's caption colours and faces, wherever the button chose none of its own.
    if (const s::gui::IFontDescription* normal = drawer->getCaptionFont()) m_font.inheritFrom(normal);
    if (const s::gui::IFontDescription* disabled = drawer->getCaptionDisabledFont())
        m_disabledFont.inheritFrom(disabled);
    if (const s::gui::IFontDescription* toggled = drawer->getSecondTextFont()) m_toggledFont.inheritFrom(toggled);
    fontChanged();
}

void Button::setToggleMode(bool toggle, bool mayUntoggle, bool invertedLook, bool drawerFlag) {
    m_toggleMode = toggle;
    m_mayUntoggle = mayUntoggle;
    m_invertedLook = invertedLook;
    m_drawerFlag = drawerFlag;
}

void Button::setToggled(bool toggled) {
    if (toggled == m_toggled) return;
    m_toggled = toggled;
    redraw();
}

void Button::makeDefault() {
    if (m_hWnd)
        SendMessage(kMakeDefault);
    else
        m_default = true;
}

void Button::clearDefault() {
    if (m_hWnd)
        SendMessage(kClearDefault);
    else
        m_default = false;
}

void Button::setDefaultStyle(bool on) {
    DWORD style = GetStyle() & 0xFFFF;
    style = on ? (style | BS_DEFPUSHBUTTON) : (style & ~static_cast<DWORD>(BS_DEFPUSHBUTTON));
    SetButtonStyle(style, TRUE);
    m_default = on;
}

bool Button::isResizer() const { return wcscmp(m_text.cString(), kResizer) == 0; }

void Button::goDown() {
    m_held = true;
    m_look = 2;
    m_presses.fire(self(), kPressed);
    if (m_autoRepeat) SetTimer(kRepeatDelayTimer, kRepeatDelayMs);
}

void Button::clicked() {
    m_clicks.fire(self(), kClicked);
    if (m_toggleMode && m_enabled) {
        if (!m_toggled || m_mayUntoggle) m_toggled = !m_toggled;
        redraw();
    }
    m_toggles.fire(self(), kToggled);
}

void Button::release() {
    if (m_autoRepeat) {
        KillTimer(kRepeatDelayTimer);
        KillTimer(kRepeatTimer);
    }
    m_look = 0;
    m_held = false;
}

bool Button::cursorInside() const {
    POINT p;
    RECT r;
    return ::GetCursorPos(&p) && GetWindowRect(&r) && PtInRect(&r, p);
}

void Button::onTimer(UINT_PTR id) {
    if (!m_held || !m_autoRepeat || !cursorInside()) return;
    if (id == kRepeatDelayTimer) {
        KillTimer(kRepeatDelayTimer);
        SetTimer(kRepeatTimer, kRepeatMs);
        return;
    }
    m_presses.fire(self(), kPressed);
}

void Button::resizeStep(int32_t screenX, int32_t screenY) {
    int32_t dx = screenX - m_lastPoint.x, dy = screenY - m_lastPoint.y;
    // A window the user may not resize keeps its size under the grip too.
    if ((!dx && !dy) || !m_window || !m_window->isResizable()) return;
    int32_t width = m_window->getWidth(), height = m_window->getHeight();
    m_window->setBounds(m_window->getX(), m_window->getY(), width + dx, height + dy);
    m_lastPoint.x += m_window->getWidth() - width;
    m_lastPoint.y += m_window->getHeight() - height;
}

void Button::hover(WPARAM keys, LPARAM lParam) {
    int32_t x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
    bool inside = x >= 0 && y >= 0 && x <= m_width && y <= m_height;
    if (m_held) {
        if (isResizer()) {
            POINT p = screenPoint(m_hWnd, lParam);
            resizeStep(p.x, p.y);
        }
        if (inside) {
            m_look = 2;
        } else if (m_look) {
            m_look = 0;
            repaintNow();
        }
        return;
    }
    if (inside) {
        if (keys & MK_LBUTTON) return;
        m_look = 1;
        if (::GetCapture() != m_hWnd) {
            if (isResizer()) ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENWSE));
            SetCapture();
        }
        return;
    }
    if (::GetCapture() == m_hWnd) {
        if (isResizer()) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        ::ReleaseCapture();
    }
    m_look = 0;
}

LRESULT Button::controlColour(HDC dc) {
    const ColourRequest request = {m_backgroundInherited && inheritsNoBackground(m_parent), getBackgroundColour(),
                                   m_font.getTextColour()};
    return answerControlColour(dc, request, &m_brush);
}

void Button::repaintNow() {
    if (!m_hWnd) return;
    Invalidate(FALSE);
    UpdateWindow();
}

// The dots, their squares and their light edges grow with the UI scale, as the grip does.
void Button::paintGrip(HDC dc, const RECT& area) {
    const POINT dots[] = {{4, 12}, {4, 8}, {8, 8}, {4, 4}, {8, 4}, {12, 4}};
    const int32_t s = uiScale();
    for (const POINT& d : dots) {
        int32_t x = area.right - d.x * s, y = area.bottom - d.y * s;
        s::gui::drawer::win::fill(dc, x + s, y + s, 2 * s, 2 * s, RGB(255, 255, 255));
        s::gui::drawer::win::fill(dc, x, y, 2 * s, 2 * s, kGripGrey);
    }
}

// Over the background paintBuffered laid down: the drawer's face, or the grip's dots.
void Button::paintContent(HDC dc, int32_t width, int32_t height) {
    RECT area = {0, 0, width, height};
    if (!m_drawer) {
        paintGrip(dc, area);
        return;
    }
    bool toggled = m_invertedLook ? !m_toggled : m_toggled;
    // The face by state: disabled, else toggled, else the normal one.
    const FontSetting& setting = !m_enabled ? m_disabledFont : toggled ? m_toggledFont : m_font;
    Font* font = setting.makeFont();
    int32_t look = m_toggled && !m_mayUntoggle ? 0 : m_look;
    if (isResizer())
        m_drawer->draw(dc, area.left, area.top, area.right, area.bottom, 0, m_text.cString(),
                       false, font, m_enabled, m_toggled, m_drawerFlag);
    else
        m_drawer->draw(dc, area.left, area.top, area.right, area.bottom, look, m_text.cString(),
                       m_framed, font, m_enabled, toggled, m_drawerFlag);
    if (font) font->releaseToPool();
}

void Button::fontChanged() {
    // The control is handed the new font before the old one is deleted under it.
    Font* old = m_measureFont;
    m_measureFont = nullptr;
    measure();
    if (old) old->releaseToPool();
    redraw();
}

void Button::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getButtonDrawer()) setDrawer(skin->getButtonDrawer(), false);
}

bool Button::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
    case WM_UPDATEUISTATE:
        if (!paintsItself()) return false;
        if (message == WM_PAINT)
            paintBuffered(false);
        else
            repaintNow();
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_NCHITTEST:
        if (m_enabled && (!m_toggled || m_mayUntoggle)) return false;
        *result = HTTRANSPARENT;
        return true;
    case WM_GETDLGCODE:
        *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    case WM_KEYDOWN:
        if (!m_parentWnd || !m_parentWnd->m_hWnd) return true;
        return ::SendMessageW(m_parentWnd->m_hWnd, message, wParam, lParam) == 0;
    case WM_MOUSEMOVE:
        hover(wParam, lParam);
        return false;
    case WM_LBUTTONDOWN: {
        m_lastPoint = screenPoint(m_hWnd, lParam);
        int32_t x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
        if (x >= 0 && y >= 0 && x <= m_width && y <= m_height) goDown();
        return false;
    }
    case WM_LBUTTONUP:
        if (m_held) {
            if (isResizer()) {
                POINT p = screenPoint(m_hWnd, lParam);
                resizeStep(p.x, p.y);
            }
            release();
        }
        return false;
    case WM_MOUSEWHEEL: {
        POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
        RECT r;
        GetWindowRect(&r);
        if (!PtInRect(&r, p) && m_window && m_window->nativeWindow()->m_hWnd)
            ::SendMessageW(m_window->nativeWindow()->m_hWnd, message, wParam, lParam);
        return true;
    }
    case WM_TIMER:
        // Only our two timers; the control's own (focus, theme) go to its procedure.
        if (wParam != kRepeatDelayTimer && wParam != kRepeatTimer) return false;
        onTimer(wParam);
        return true;
    case kMakeDefault:
        setDefaultStyle(true);
        return true;
    case kClearDefault:
        setDefaultStyle(false);
        return true;
    case kReflectColour:
        if (paintsItself()) return false;
        *result = controlColour(reinterpret_cast<HDC>(wParam));
        return true;
    case kReflectedClicked:
        clicked();
        return true;
    case kReflectedDoubleClicked:
        goDown();
        clicked();
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

void Button::afterDefault(UINT message, WPARAM, LPARAM) {
    if (paintsItself() && nativeButtonRepaints(message)) repaintNow();
}

Button* newButtonWithText(const wchar_t* text, int32_t width, int32_t height) {
    Button* b = s::thread::Pool<Button, 0>::obtain();
    if (!b) return nullptr;
    b->setText(text);
    b->setEnabled(true);
    if (width >= 0) b->setFixedWidth(width);
    if (height >= 0) b->setFixedHeight(height);
    return b;
}

Button* newButtonFromTextId(int32_t textId, int32_t width, int32_t height) {
    Button* b = newButtonWithText(L"", width, height);
    if (b) b->setTextId(textId);
    return b;
}

Button* newButtonFromTextIdAlt(int32_t textId, int32_t height, double widthPercent) {
    Button* b = newButtonFromTextId(textId, -1, height);
    if (b && widthPercent >= 0) b->setWidthPercent(static_cast<int32_t>(widthPercent));
    return b;
}

Button* newButtonPresetText() {
    Button* b = newButtonFromTextId(kPresetTextId, -1, -1);
    if (b) b->setEnabled(false);
    return b;
}

Button* newChangeColorButton() {
    Button* b = newButtonWithText(L" Change Color ", -1, -1);
    if (b) b->setEnabled(false);
    return b;
}

}  // namespace s::gui::win
