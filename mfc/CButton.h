// mfc/CButton.h
//
// Our own control under the framework's name: a CWnd made in the system's "BUTTON" class
// (push buttons, check boxes, radio buttons, group boxes), with the button messages the
// toolkit's buttons send.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "mfc/CWnd.h"

namespace mfc {

class CButton : public CWnd {
public:
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"BUTTON", caption, style, rect, parent, id);
    }
    // The size that fits the caption; FALSE where the control cannot tell (before the
    // common controls 6).
    BOOL GetIdealSize(SIZE* size) {
        return static_cast<BOOL>(SendMessage(BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(size)));
    }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

}  // namespace mfc
