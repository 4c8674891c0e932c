// s/gui/win/CheckControl.cpp
#include "s/gui/win/CheckControl.h"

#include <initializer_list>

#include "mfc/CClientDC.h"
#include "s/gui/ICheckBox.h"
#include "s/gui/IRadioButton.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/gui/events/Disabler.h"
#include "s/gui/events/Enabler.h"
#include "s/gui/win/ControlColour.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/NativeButtonPaint.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

constexpr UINT kControlId = 1003;

s::gui::events::StateAction* makeEnabler() { return s::thread::Pool<s::gui::events::Enabler>::obtain(); }
s::gui::events::StateAction* makeDisabler() { return s::thread::Pool<s::gui::events::Disabler>::obtain(); }

}  // namespace

template <class I>
CheckControl<I>::CheckControl() {
    this->m_backgroundInherited = true;
}

template <class I>
CheckControl<I>::~CheckControl() = default;

template <class I>
void CheckControl<I>::releaseActions() {
    for (s::gui::events::StateAction** a : {&m_enabler, &m_disabler, &m_unEnabler, &m_unDisabler}) {
        if (*a) (*a)->releaseToPool();
        *a = nullptr;
    }
}

template <class I>
void CheckControl<I>::resetForReuse() {
    this->setVisible(false, false);
    ComponentBase<I>::resetForReuse();
    releaseActions();
    if (m_font) m_font->releaseToPool();
    m_font = nullptr;
    m_checked.clear();
    m_unchecked.clear();
    m_enable.clear();
    m_disable.clear();
    m_textId = -1;
    m_text.clear();
    m_fontSetting.resetForReuse();
    m_checkedState = m_silent = m_wasChecked = false;
    this->m_backgroundInherited = true;
}

template <class I>
void CheckControl<I>::setParent(s::gui::IComponent* parent) {
    s::gui::IWindow* window = this->m_window;
    if (!parent && window && window->getLocalizer()) window->getLocalizer()->removeListener(this);
    ComponentBase<I>::setParent(parent);
    if (parent && this->m_window && this->m_window->getLocalizer())
        this->m_window->getLocalizer()->addListener(this);
}

template <class I>
void CheckControl<I>::setEnabled(bool enabled) {
    bool changed = enabled != this->m_enabled;
    ComponentBase<I>::setEnabled(enabled);
    if (changed) (enabled ? m_enable : m_disable).fire(this->self(), 0);
}

template <class I>
void CheckControl<I>::onEvent(void* source, int32_t code) {
    if (this->passToUiThread(this, source, code)) return;
    if (this->m_window && source == this->m_window->getLocalizer() && m_textId >= 0)
        setTextId(m_textId);
}

// "&" is doubled so that the caption shows it instead of underlining the next letter.
template <class I>
void CheckControl<I>::showCaption() {
    if (!this->m_hWnd) return;
    s::str::strbuffer::StrBuffer shown;
    for (const wchar_t* c = m_text.cString(); *c; ++c) {
        if (*c == L'&') shown.appendChar(L'&');
        shown.appendChar(*c);
    }
    this->SetWindowText(shown.cString());
}

template <class I>
void CheckControl<I>::setText(const wchar_t* text) {
    m_text.clear();
    m_text.append(text ? text : L"");
    showCaption();
    measure();
}

template <class I>
void CheckControl<I>::setTextId(int32_t id) {
    m_textId = id;
    s::gui::ITextLocalizer* localizer = this->m_window ? this->m_window->getLocalizer() : nullptr;
    if (localizer) setText(localizer->getText(id));
}

template <class I>
bool CheckControl<I>::isChecked() const {
    if (!this->m_hWnd) return m_checkedState;
    return this->GetCheck() == BST_CHECKED;
}

// Through the control when it exists, so that the listeners hear it as they hear a click.
template <class I>
void CheckControl<I>::storeCheck(bool checked, bool fire) {
    if (!this->m_hWnd) {
        m_checkedState = checked;
        return;
    }
    m_silent = !fire;
    this->SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
    m_silent = false;
}

template <class I>
void CheckControl<I>::measure() {
    if (!this->m_hWnd) return;
    if (!m_font) m_font = m_fontSetting.makeFont();
    if (m_font) this->SetFont(m_font->getHandle(), TRUE);
    SIZE size = {0, 0};
    int32_t narrowest = 0;
    {
        CClientDC dc(this->m_hWnd);
        HGDIOBJ old = m_font ? SelectObject(dc, m_font->getHandle()) : nullptr;
        SIZE text = {0, 0};
        GetTextExtentPoint32W(dc, m_text.cString(), static_cast<int>(m_text.length()), &text);
        if (!text.cy) {
            TEXTMETRICW metrics;
            GetTextMetricsW(dc, &metrics);
            text.cy = metrics.tmHeight;
        }
        size = measureText(dc, text);
        narrowest = minimumWidth(dc, size);
        if (old) SelectObject(dc, old);
    }
    this->setMinimumSize(narrowest, size.cy);
    this->setTargetSize(size.cx, size.cy);
    if (this->m_parent) this->m_parent->childChanged();
}

template <class I>
bool CheckControl<I>::createNativeWindow(HWND) {
    if (!this->Create(L"Button", nativeStyle(), RECT{}, this->m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    if (m_textId >= 0) setTextId(m_textId);
    showCaption();
    if (m_checkedState) {
        m_silent = true;
        this->SetCheck(BST_CHECKED);
        m_silent = false;
    }
    measure();
    return true;
}

template <class I>
void CheckControl<I>::addAction(s::gui::events::StateAction** slot,
                                s::gui::events::StateAction* (*make)(), bool whenChecked,
                                s::gui::IComponent* target) {
    if (!*slot) {
        *slot = make();
        if (!*slot) return;
        (*slot)->setSource(this);
        (whenChecked ? m_checked : m_unchecked).add(*slot);
    }
    (*slot)->addTarget(target);
}

template <class I>
void CheckControl<I>::enableWhenChecked(s::gui::IComponent* c) {
    addAction(&m_enabler, &makeEnabler, true, c);
}

template <class I>
void CheckControl<I>::disableWhenUnchecked(s::gui::IComponent* c) {
    addAction(&m_disabler, &makeDisabler, false, c);
}

template <class I>
void CheckControl<I>::followCheck(s::gui::IComponent* c) {
    enableWhenChecked(c);
    disableWhenUnchecked(c);
}

template <class I>
void CheckControl<I>::enableWhenUnchecked(s::gui::IComponent* c) {
    addAction(&m_unEnabler, &makeEnabler, false, c);
}

template <class I>
void CheckControl<I>::disableWhenChecked(s::gui::IComponent* c) {
    addAction(&m_unDisabler, &makeDisabler, true, c);
}

template <class I>
void CheckControl<I>::followCheckInverted(s::gui::IComponent* c) {
    enableWhenUnchecked(c);
    disableWhenChecked(c);
}

template <class I>
bool CheckControl<I>::handleMessage(LRESULT* result, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    switch (message) {
    case BM_SETCHECK:
        m_wasChecked = this->GetCheck() == BST_CHECKED;
        return false;
    case WM_PAINT:
    case WM_UPDATEUISTATE:
        if (!hasDrawer()) return false;
        if (message == WM_PAINT)
            this->paintBuffered(false);
        else
            repaintNow();
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_KEYDOWN:
        // As a button does: the window's keys (Return, Tab) work with the focus here too,
        // and what the window leaves (Space) toggles the box.
        if (!this->m_parentWnd || !this->m_parentWnd->m_hWnd) return false;
        return ::SendMessageW(this->m_parentWnd->m_hWnd, message, wParam, lParam) == 0;
    case kReflectColour: {
        const ColourRequest request = {this->m_backgroundInherited && inheritsNoBackground(this->m_parent),
                                       this->getBackgroundColour(), m_fontSetting.getTextColour()};
        *result = answerControlColour(reinterpret_cast<HDC>(wParam), request, &m_brush);
        return true;
    }
    default:
        return ComponentBase<I>::handleMessage(result, message, wParam, lParam);
    }
}

template <class I>
void CheckControl<I>::paintContent(HDC dc, int32_t width, int32_t height) {
    if (!m_font) m_font = m_fontSetting.makeFont();
    drawFace(dc, width, height, m_font);
}

template <class I>
void CheckControl<I>::fontChanged() {
    // The control is handed the new font before the old one is deleted under it.
    Font* old = m_font;
    m_font = nullptr;
    measure();
    if (old) old->releaseToPool();
    this->redraw();
}

template <class I>
void CheckControl<I>::repaintNow() {
    if (!this->m_hWnd) return;
    this->Invalidate(FALSE);
    this->UpdateWindow();
}

template <class I>
void CheckControl<I>::afterDefault(UINT message, WPARAM wParam, LPARAM) {
    if (hasDrawer() && nativeButtonRepaints(message)) repaintNow();
    if (message != BM_SETCHECK) return;
    bool checked = wParam == BST_CHECKED;
    m_checkedState = checked;
    if (m_silent || (onlyOnChange() && checked == m_wasChecked)) return;
    if (checked)
        m_checked.fire(this->self(), checkedCode());
    else
        m_unchecked.fire(this->self(), uncheckedCode());
}

template class CheckControl<s::gui::ICheckBox>;
template class CheckControl<s::gui::IRadioButton>;

}  // namespace s::gui::win
