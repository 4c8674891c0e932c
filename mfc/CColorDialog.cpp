// mfc/CColorDialog.cpp
#include "mfc/CColorDialog.h"

namespace mfc {

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND parent) : m_cc() {
    for (COLORREF& c : m_custom) c = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = parent;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = m_custom;
    m_cc.Flags = flags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() { return ChooseColorW(&m_cc) ? IDOK : IDCANCEL; }

}  // namespace mfc
