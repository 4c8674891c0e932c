// mfc/Afx.cpp
#include "mfc/Afx.h"

#include <ole2.h>

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

}  // namespace mfc
