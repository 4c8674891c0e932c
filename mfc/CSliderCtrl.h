// mfc/CSliderCtrl.h
//
// Our own control under the framework's name: a CWnd made in the system's track-bar class,
// with the track-bar messages the toolkit's slider sends.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "mfc/CWnd.h"

namespace mfc {

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, TRACKBAR_CLASSW, L"", style, rect, parent, id);
    }
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetPos(int position, BOOL redraw = TRUE) { SendMessage(TBM_SETPOS, redraw, position); }
    int GetPos() const { return static_cast<int>(send(TBM_GETPOS)); }
    void SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    void SetThumbLength(int length) { SendMessage(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length)); }
    void GetChannelRect(RECT* rect) const {
        ::SendMessageW(m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(rect));
    }

private:
    LRESULT send(UINT message) const { return ::SendMessageW(m_hWnd, message, 0, 0); }
};

}  // namespace mfc
