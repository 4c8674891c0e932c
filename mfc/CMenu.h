// mfc/CMenu.h
//
// Our own menu handle under the framework's name: owns the HMENU it created (destroyed with
// the object) and wraps only the calls the toolkit's menus make.
#pragma once
#include <windows.h>

namespace mfc {

class CWnd;

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCWSTR text = nullptr) {
        return ::AppendMenuW(m_hMenu, flags, idOrPopup, text);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCWSTR text = nullptr) {
        return ::InsertMenuW(m_hMenu, position, flags, idOrPopup, text);
    }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }
    DWORD CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) {
        return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
    }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);
    BOOL SetMenuInfo(const MENUINFO* info) { return ::SetMenuInfo(m_hMenu, info); }
};

}  // namespace mfc
