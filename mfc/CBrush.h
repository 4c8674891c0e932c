// mfc/CBrush.h
//
// An owned GDI brush.
#pragma once
#include "mfc/CGdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF colour) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        return brush ? Attach(brush) : FALSE;
    }
};
