// mfc/CComboBox.h
//
// Our own control under the framework's name: a CWnd made in the system's "COMBOBOX"
// class, with the combo messages the toolkit's combo box sends. Indexes as the control
// counts them; CB_ERR where it refuses.
#pragma once
#include "mfc/CWnd.h"

namespace mfc {

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"COMBOBOX", L"", style, rect, parent, id);
    }
    int AddString(LPCWSTR text) { return call(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCWSTR text) {
        return call(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return call(CB_DELETESTRING, index, 0); }
    // -1 clears the selection.
    int SetCurSel(int index) { return call(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int GetCurSel() { return call(CB_GETCURSEL, 0, 0); }
    // index -1: the selection field; 0: the list's items (all one height).
    int SetItemHeight(int index, UINT height) { return call(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }
    int GetItemHeight(int index) { return call(CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0); }
    int SetTopIndex(int index) { return call(CB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }
    int GetTopIndex() { return call(CB_GETTOPINDEX, 0, 0); }
    int SetDroppedWidth(UINT width) { return call(CB_SETDROPPEDWIDTH, width, 0); }

private:
    int call(UINT message, WPARAM wParam, LPARAM lParam) {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
};

}  // namespace mfc
