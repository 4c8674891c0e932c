// mfc/CFont.h
//
// An owned GDI font.
#pragma once
#include "mfc/CGdiObject.h"

class CDC;

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    // Replaces the font held before only when the new one was made.
    BOOL CreateFontIndirect(const LOGFONTW* description);
    // A font of `tenths` tenths of a point on the screen (or dc): lfHeight =
    // -MulDiv(LOGPIXELSY, tenths, 720), every other field 0 except the face.
    BOOL CreatePointFont(int tenths, const wchar_t* face, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* description) const;
};
