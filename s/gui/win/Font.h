// s/gui/win/Font.h
//
// A font description bound to a live GDI font, re-made after every change of the
// description. A re-made font is handed to the window it serves (WM_SETFONT) before the
// old GDI font is deleted, so a control never holds a deleted handle. A change of the text
// colour is applied at once to the attached DC. Pooled with capacity 0 (a released font
// is destroyed); also kept by value. Belongs to the UI thread of its control.
#pragma once
#include "mfc/CFont.h"
#include "s/gui/IFont.h"
#include "s/gui/win/FontBody.h"

namespace s::gui::win {

class Font : public FontBody<s::gui::IFont>, public CFont {
public:
    Font();

    // IFont
    int32_t measureTextHeight() const override;
    HFONT getHandle() const override { return static_cast<HFONT>(m_hObject); }

    // The DC that colour changes reach at once, and the window re-made fonts are handed
    // to (null for none; neither is owned).
    void attachDC(HDC dc) { m_dc = dc; }
    void attachWindow(HWND window) { m_window = window; }
    bool isCreated() const { return m_created; }
    // Takes a description's data (the quality flag aside) and makes the GDI font; false
    // when it could not be made (the font held before stays).
    bool takeDescription(const FontData& data);

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_Font"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    void descriptionChanged() override { remake(); }
    void colourChanged() override;

private:
    bool remake();

    HDC m_dc = nullptr;
    HWND m_window = nullptr;
    bool m_created = false;
};

}  // namespace s::gui::win
