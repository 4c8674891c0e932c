// s/gui/win/CheckBox.cpp
#include "s/gui/win/CheckBox.h"

#include "mfc/CClientDC.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/UiScale.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

s::base::IObject* CheckBox::newInstance() const { return s::thread::Pool<CheckBox>::obtain(); }

void CheckBox::releaseToPool() { s::thread::Pool<CheckBox>::release(this); }

void CheckBox::resetForReuse() {
    CheckControl::resetForReuse();
    m_drawer.release();
    m_wordWrap = false;
}

void CheckBox::setDrawer(s::gui::drawer::ICheckBox* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    redraw();
}

void CheckBox::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getCheckBoxDrawer()) setDrawer(skin->getCheckBoxDrawer(), false);
}

// The system draws its check box at one size whatever the scale; above scale 1 a box without
// a skin's drawer draws its own, as large as the caption beside it.
bool CheckBox::createNativeWindow(HWND parent) {
    if (!CheckControl::createNativeWindow(parent)) return false;
    if (!m_drawer && uiScale() > 1) setDrawer(s::gui::drawer::checkbox::win::Thin::obtain(), true);
    return true;
}

void CheckBox::drawFace(HDC dc, int32_t width, int32_t height, Font* font) {
    int32_t box = m_minHeight < height ? m_minHeight : height;
    m_drawer->draw(dc, 0, 0, width, height, box, getText(), font, m_enabled, isChecked());
}

void CheckBox::setWordWrap(bool wrap) {
    m_wordWrap = wrap;
    if (!m_hWnd) return;
    ModifyStyle(wrap ? 0 : BS_MULTILINE, wrap ? BS_MULTILINE : 0);
    measure();
}

// The box and its gap beside the caption: as wide as a line is high, plus a sixth per scale.
int32_t CheckBox::boxWidth(int32_t textHeight) const {
    return textHeight + textHeight / 6 * uiScale();
}

// Wrapping lets the caption get as narrow as its widest word.
int32_t CheckBox::minimumWidth(HDC dc, SIZE measured) const {
    if (!m_wordWrap) return measured.cx;
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    int32_t widest = 0;
    const wchar_t* text = getText();
    for (const wchar_t* word = text; *word;) {
        while (*word == L' ') ++word;
        const wchar_t* end = word;
        while (*end && *end != L' ') ++end;
        SIZE size = {0, 0};
        if (end > word) GetTextExtentPoint32W(dc, word, static_cast<int>(end - word), &size);
        if (size.cx > widest) widest = size.cx;
        word = end;
    }
    return widest + boxWidth(metrics.tmHeight);
}

void CheckBox::setSizeWithinLimits(int32_t width, int32_t height) {
    if (!m_wordWrap || !m_hWnd) {
        CheckControl::setSizeWithinLimits(width, height);
        return;
    }
    int32_t w = width < getMinWidth() ? getMinWidth() : width;
    if (w > getTargetWidth()) w = getTargetWidth();
    RECT area = {0, 0, 0, 0};
    {
        CClientDC dc(m_hWnd);
        HGDIOBJ old = measuringFont() ? SelectObject(dc, measuringFont()->getHandle()) : nullptr;
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        area.right = w - boxWidth(metrics.tmHeight);
        if (area.right < 1) area.right = 1;
        DrawTextW(dc, getText(), -1, &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        if (old) SelectObject(dc, old);
    }
    int32_t h = area.bottom > m_minHeight ? area.bottom : m_minHeight;
    setSize(w, h);
}

DWORD CheckBox::nativeStyle() const {
    DWORD style = WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_AUTOCHECKBOX;  // 0x40014003
    return m_wordWrap ? style | BS_MULTILINE : style;
}

// The box is as wide as the text is high, plus a gap that grows with the scale.
SIZE CheckBox::measureText(HDC, SIZE text) const {
    int32_t scale = uiScale();
    int32_t gap = scale >= 2 ? text.cy / 4 : text.cy / 6;
    SIZE size = {text.cx + text.cy + gap * scale, text.cy};
    if (scale >= 2) size.cy += 3 * scale + (scale == 2 ? 1 : 0);
    return size;
}

bool CheckBox::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    case WM_MOUSEWHEEL: {
        POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
        RECT r;
        GetWindowRect(&r);
        if (PtInRect(&r, p) || !m_window || !m_window->nativeWindow()->m_hWnd) return false;
        *result = ::SendMessageW(m_window->nativeWindow()->m_hWnd, message, wParam, lParam);
        return true;
    }
    default:
        return CheckControl::handleMessage(result, message, wParam, lParam);
    }
}

CheckBox* newCheckBox(int32_t textId, bool checked) {
    CheckBox* box = s::thread::Pool<CheckBox>::obtain();
    if (!box) return nullptr;
    box->setTextId(textId);
    box->setCheckedSilently(checked);
    return box;
}

CheckBox* newCheckBoxWithText(const wchar_t* text, bool checked) {
    CheckBox* box = s::thread::Pool<CheckBox>::obtain();
    if (!box) return nullptr;
    box->setText(text);
    box->setCheckedSilently(checked);
    return box;
}

}  // namespace s::gui::win
