// mfc/CProgressCtrl.h
//
// Our own control under the framework's name: a CWnd made in the system's progress class,
// with the two messages the toolkit's progress bar sends.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "mfc/CWnd.h"

namespace mfc {

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, PROGRESS_CLASSW, L"", style, rect, parent, id);
    }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
};

}  // namespace mfc
