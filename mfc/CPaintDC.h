// mfc/CPaintDC.h
//
// BeginPaint in the constructor, EndPaint in the destructor. Takes the window handle, not
// a window object, so that painting code needs nothing of the window classes.
#pragma once
#include "mfc/CDC.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window) : m_window(window) { Attach(BeginPaint(window, &m_ps)); }
    ~CPaintDC() override {
        if (Detach()) EndPaint(m_window, &m_ps);
    }

    PAINTSTRUCT m_ps = {};

private:
    HWND m_window;
};
