// mfc/CComboBox.h
//
// Our own control under the framework's name: a CWnd made in the system's "COMBOBOX" class
// and bound to this object from its first message on.
#pragma once
#include "mfc/CWnd.h"

namespace mfc {

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"COMBOBOX", L"", style, rect, parent, id);
    }
};

}  // namespace mfc
