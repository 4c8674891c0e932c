// mfc/CDC.cpp
#include "mfc/CDC.h"

BOOL CDC::CreateCompatibleDC(HDC dc) {
    HDC made = ::CreateCompatibleDC(dc);
    if (!made) return FALSE;
    DeleteDC();
    m_hDC = made;
    m_owned = true;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    BOOL done = m_owned ? ::DeleteDC(m_hDC) : TRUE;
    m_hDC = nullptr;
    m_owned = false;
    return done;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}
