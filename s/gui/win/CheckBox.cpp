// s/gui/win/CheckBox.cpp
#include "s/gui/win/CheckBox.h"

#include "s/gui/IWindow.h"
#include "s/gui/win/UiScale.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

s::base::IObject* CheckBox::newInstance() const { return s::thread::Pool<CheckBox>::obtain(); }

void CheckBox::releaseToPool() { s::thread::Pool<CheckBox>::release(this); }

void CheckBox::resetForReuse() {
    CheckControl::resetForReuse();
    m_wordWrap = false;
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
