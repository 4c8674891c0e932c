// mfc/CFont.cpp
#include "mfc/CFont.h"

#include <cwchar>

#include "mfc/CDC.h"

BOOL CFont::CreateFontIndirect(const LOGFONTW* description) {
    HFONT font = description ? ::CreateFontIndirectW(description) : nullptr;
    return font ? Attach(font) : BOOL(FALSE);
}

BOOL CFont::CreatePointFont(int tenths, const wchar_t* face, CDC* dc) {
    HDC screen = dc && dc->m_hDC ? nullptr : GetDC(nullptr);
    HDC measure = screen ? screen : dc ? dc->m_hDC : nullptr;
    if (!measure) return FALSE;
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(GetDeviceCaps(measure, LOGPIXELSY), tenths, 720);
    if (screen) ReleaseDC(nullptr, screen);
    if (face) wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&description);
}

int CFont::GetLogFont(LOGFONTW* description) const {
    return m_hObject ? GetObjectW(m_hObject, sizeof(LOGFONTW), description) : 0;
}
