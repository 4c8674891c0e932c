// mfc/CColorDialog.h
//
// Our own colour dialog under the framework's name: ChooseColorW with a starting colour
// (COLORREF, red lowest), the caller's flags and the sixteen custom colours kept by the
// object. Runs modally on the calling thread.
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace mfc {

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, HWND parent = nullptr);
    virtual ~CColorDialog() = default;
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    CHOOSECOLORW m_cc;

    // IDOK with the chosen colour, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

private:
    COLORREF m_custom[16];
};

}  // namespace mfc
