// mfc/CButton.h
//
// Our own control under the framework's name: a CWnd made in the system's "BUTTON" class
// and bound to this object from its first message on.
#pragma once
#include "mfc/CWnd.h"

namespace mfc {

class CButton : public CWnd {
public:
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"BUTTON", caption, style, rect, parent, id);
    }
};

}  // namespace mfc
