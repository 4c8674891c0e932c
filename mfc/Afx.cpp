// mfc/Afx.cpp
#include "mfc/Afx.h"

#include <ole2.h>

#include <new>

#include "mfc/CWinApp.h"

namespace mfc {

bool AfxOleInit() {
    HRESULT result = OleInitialize(nullptr);
    return result == S_OK || result == S_FALSE;
}

namespace {

HWND topLevelOf(HWND window) {
    while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    return window;
}

HWND boxOwner() {
    HWND owner = topLevelOf(GetActiveWindow());
    return owner ? GetLastActivePopup(owner) : nullptr;
}

// The top-level window that owns the owner (the owner itself when it has none).
HWND rootOwnerOf(HWND owner) {
    HWND root = owner;
    for (HWND up = GetWindow(root, GW_OWNER); up; up = GetWindow(root, GW_OWNER)) root = up;
    return root;
}

}  // namespace

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
    HWND owner = boxOwner();
    HWND disabled = nullptr;
    if (owner) {
        HWND root = rootOwnerOf(owner);
        if (root != owner && IsWindowEnabled(root)) {
            EnableWindow(root, FALSE);
            disabled = root;
        }
    }
    int answer = ::MessageBoxW(owner, text, AfxGetAppName(), type);
    if (disabled) EnableWindow(disabled, TRUE);
    return answer;
}

wchar_t* AfxGetModuleFileName(HMODULE module) {
    // Beyond the longest path the system knows a longer buffer cannot help.
    constexpr DWORD kFirstChars = 512, kMostChars = 32768;
    for (DWORD size = kFirstChars; size <= kMostChars; size *= 2) {
        wchar_t* path = new (std::nothrow) wchar_t[size];
        if (!path) return nullptr;
        // A name cut short fills the buffer (XP leaves it unterminated then).
        const DWORD n = GetModuleFileNameW(module, path, size);
        if (n > 0 && n < size) return path;
        delete[] path;
        if (n == 0) return nullptr;
    }
    return nullptr;
}

}  // namespace mfc
