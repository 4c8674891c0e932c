// mfc/CClientDC.h
//
// GetDC in the constructor, ReleaseDC in the destructor (null window: the screen).
#pragma once
#include "mfc/CDC.h"

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window) : m_window(window) { Attach(GetDC(window)); }
    ~CClientDC() override {
        if (HDC dc = Detach()) ReleaseDC(m_window, dc);
    }

private:
    HWND m_window;
};
