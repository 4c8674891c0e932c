// s/gui/win/TextField.cpp
#include "s/gui/win/TextField.h"

#include "s/gui/win/ControlColour.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/UiScale.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

// The parent's window class reflects these edit notifications back to the field.
constexpr UINT kReflectedChange = WM_APP + 0x0C;     // EN_CHANGE
constexpr UINT kReflectedKillFocus = WM_APP + 0x15;  // EN_KILLFOCUS
constexpr UINT kSelectAll = WM_USER + 1;

}  // namespace

TextField::TextField() { resetForReuse(); }

TextField::~TextField() = default;

TextField* newTextField() { return s::thread::Pool<TextField>::obtain(); }

s::base::IObject* TextField::newInstance() const { return newTextField(); }
void TextField::releaseToPool() { s::thread::Pool<TextField>::release(this); }

void TextField::resetForReuse() {
    ComponentBase::resetForReuse();
    m_changeListeners.clear();
    m_focusLostListeners.clear();
    m_integers.clear();
    m_text.setText(L"");
    m_font.resetForReuse();
    m_fieldColour = RGB(255, 255, 255);
    m_brush.DeleteObject();
    m_notify = true;
    m_password = false;
    updatePreferredSize();
}

void TextField::readNativeText() {
    // Asked for its length first: a fixed buffer would cut a long text short.
    int length = GetWindowTextLength();
    if (length <= 0) {
        m_text.setText(L"");
        return;
    }
    if (!m_text.reserve(static_cast<uint32_t>(length) + 1)) return;
    int read = GetWindowText(m_text.chars(), length + 1);
    m_text.setLength(static_cast<uint32_t>(read > 0 ? read : 0));
}

const wchar_t* TextField::getText() {
    if (m_hWnd) readNativeText();
    return m_text.cString();
}

bool TextField::isEmpty() {
    if (m_hWnd) return GetWindowTextLength() == 0;
    return m_text.length() == 0;
}

void TextField::setText(const wchar_t* text, bool notify) {
    m_text.setText(text ? text : L"");
    if (!m_hWnd) return;
    // The change notification arrives inside SetWindowText, on the field's thread.
    m_notify = notify;
    SetWindowText(m_text.cString());
    m_notify = true;
    updatePreferredSize();
}

void TextField::fontChanged() {
    if (m_hWnd) SetFont(m_font.getHandle(), TRUE);
    updatePreferredSize();
}

void TextField::setBold(bool bold) {
    m_font.setBold(bold);
    fontChanged();
}

void TextField::setFontHeight(int32_t height) {
    m_font.setHeight(height);
    fontChanged();
}

void TextField::setFontSizeCode(int32_t code) {
    m_font.setSizeCode(code);
    fontChanged();
}

void TextField::setFaceName(const wchar_t* face) {
    m_font.setFaceName(face);
    fontChanged();
}

void TextField::setFontWidth(int32_t width) {
    m_font.setWidth(width);
    fontChanged();
}

void TextField::setItalic(bool italic) {
    m_font.setItalic(italic);
    fontChanged();
}

void TextField::setUnderline(bool underline) {
    m_font.setUnderline(underline);
    fontChanged();
}

void TextField::setStrikeOut(bool strikeOut) {
    m_font.setStrikeOut(strikeOut);
    fontChanged();
}

void TextField::setFontWeight(int32_t weight) {
    m_font.setWeight(weight);
    fontChanged();
}

void TextField::setTextColour(int32_t red, int32_t green, int32_t blue) {
    m_font.setTextColour(red, green, blue);
    fontChanged();
    if (m_hWnd) Invalidate();
}

void TextField::setWidthPercent(int32_t percent) {
    setTargetPercent(percent, m_targetHeightPercent);
    updatePreferredSize();
}

void TextField::setHeightPercent(int32_t percent) {
    setTargetPercent(m_targetWidthPercent, percent);
    updatePreferredSize();
}

void TextField::setFixedWidth(int32_t width) {
    setFixedSize(width, m_fixedHeight);
    updatePreferredSize();
}

void TextField::setFixedHeight(int32_t height) {
    setFixedSize(m_fixedWidth, height);
    updatePreferredSize();
}

void TextField::postSelectAll() {
    if (m_hWnd) PostMessage(kSelectAll);
}

void TextField::selectAll() {
    if (!m_hWnd) return;
    ::SetFocus(m_hWnd);
    SetSel(0, -1);
}

void TextField::setPassword(bool password) {
    m_password = password;
    if (!m_hWnd) return;
    SetPasswordChar(password ? L'*' : 0);
    Invalidate();
}

void TextField::setEnabled(bool enabled) {
    ComponentBase::setEnabled(enabled);
    if (m_hWnd) Invalidate();
}

void TextField::setEditable(bool editable) {
    const bool changed = editable != m_editable;
    ComponentBase::setEditable(editable);
    if (m_hWnd && changed) SetReadOnly(editable ? FALSE : TRUE);
}

void TextField::setFieldColour(uint8_t red, uint8_t green, uint8_t blue) {
    m_fieldColour = RGB(red, green, blue);
    if (m_hWnd) Invalidate();
}

void TextField::setParent(s::gui::IComponent* parent) {
    ComponentBase::setParent(parent);
    if (!parent) m_font.attachWindow(nullptr);
}

void TextField::updatePreferredSize() {
    const int32_t scale = uiScale();
    setMinimumSize(kPreferredWidth * scale, kPreferredHeight * scale);
    setTargetSize(kPreferredWidth * scale, kPreferredHeight * scale);
    if (m_parent && m_hWnd) m_parent->childChanged();
}

// Made on the parent's object, which setParent has just taken from that window.
bool TextField::createNativeWindow(HWND) {
    if (!Create(kStyle, RECT{0, 0, 0, 0}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    m_font.attachWindow(m_hWnd);
    SetFont(m_font.getHandle(), FALSE);
    m_notify = false;
    SetWindowText(m_text.cString());
    m_notify = true;
    if (!m_editable) SetReadOnly(TRUE);
    SetPasswordChar(m_password ? L'*' : 0);
    updatePreferredSize();
    return true;
}

LRESULT TextField::typeCharacter(UINT message, WPARAM wParam, LPARAM lParam) {
    // Redraw is held while the control takes the character, so typing does not flicker.
    SetRedraw(FALSE);
    LRESULT result = DefWindowProc(message, wParam, lParam);
    SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    SetRedraw(TRUE);
    Invalidate(FALSE);
    return result;
}

// An inherited background is the parent's; painted through when the parent has none.
LRESULT TextField::colourAnswer(HDC dc) {
    ColourRequest request = {false, m_enabled && m_editable ? m_fieldColour : GetSysColor(COLOR_BTNFACE),
                             m_font.getTextColour()};
    if (m_backgroundInherited) {
        request.transparent = inheritsNoBackground(m_parent);
        if (!request.transparent) request.background = m_parent->getBackgroundColour();
    }
    return answerControlColour(dc, request, &m_brush);
}

bool TextField::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
        *result = TRUE;
        return true;
    case WM_CHAR:
        *result = typeCharacter(message, wParam, lParam);
        return true;
    case kSelectAll:
        selectAll();
        *result = 0;
        return true;
    case kReflectColour:
        *result = colourAnswer(reinterpret_cast<HDC>(wParam));
        return true;
    case kReflectedChange:
        if (m_notify) m_changeListeners.fire(self(), kChanged);
        *result = 0;
        return true;
    case kReflectedKillFocus:
        m_focusLostListeners.fire(self(), kFocusLost);
        *result = 0;
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
