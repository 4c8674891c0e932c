// mfc/CEdit.h
//
// Our own control under the framework's name: a CWnd made in the system's "EDIT" class,
// with the few edit messages the toolkit's text field sends.
#pragma once
#include "mfc/CWnd.h"

namespace mfc {

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"EDIT", L"", style, rect, parent, id);
    }
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    // 0: the characters are shown as typed.
    void SetPasswordChar(wchar_t mask) { SendMessage(EM_SETPASSWORDCHAR, mask); }
    // start 0, end -1 selects everything; the caret is scrolled into view unless asked not to.
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    int GetWindowText(wchar_t* text, int capacity) const {
        return ::GetWindowTextW(m_hWnd, text, capacity);
    }
};

}  // namespace mfc
