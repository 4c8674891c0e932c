// mfc/CMenu.cpp
#include "mfc/CMenu.h"

#include "mfc/CWnd.h"

namespace mfc {

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu) return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    BOOL done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return done;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
    return TrackPopupMenu(flags, x, y, owner ? owner->m_hWnd : nullptr);
}

}  // namespace mfc
