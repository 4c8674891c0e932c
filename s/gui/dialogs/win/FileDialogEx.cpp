// s/gui/dialogs/win/FileDialogEx.cpp
#include "s/gui/dialogs/win/FileDialogEx.h"

#include <shlwapi.h>

namespace s::gui::dialogs::win {

namespace {
constexpr int kNameCombo = 0x47C;  // cmb13, the explorer style's file name field
constexpr int kNameEdit = 0x480;   // edt1, where a dialog has no cmb13 (Wine 8.0 has both)
}  // namespace

std::wstring FileDialogEx::nameForPattern(const std::wstring& name, const std::wstring& pattern) {
    if (name.empty()) return name;
    const std::wstring first = pattern.substr(0, pattern.find(L';'));
    const wchar_t* extension = PathFindExtensionW(first.c_str());
    if (!*extension || wcschr(extension, L'*') || wcschr(extension, L'?')) return name;
    const wchar_t* old = PathFindExtensionW(name.c_str());
    return name.substr(0, static_cast<size_t>(old - name.c_str())) + extension;
}

std::wstring FileDialogEx::patternAt(const wchar_t* filters, DWORD index) {
    if (!filters || index == 0) return std::wstring();
    const wchar_t* at = filters;
    for (DWORD pair = 1; *at; ++pair) {
        at += wcslen(at) + 1;  // the caption
        if (!*at) break;
        if (pair == index) return at;
        at += wcslen(at) + 1;  // the pattern
    }
    return std::wstring();
}

void FileDialogEx::OnTypeChange() {
    if (IsOpenDialog()) return;
    const std::wstring name = GetFileSpec();
    const std::wstring renamed = nameForPattern(name, patternAt(m_ofn.lpstrFilter, m_ofn.nFilterIndex));
    if (renamed == name) return;
    SetControlText(GetDlgItem(GetDialogWindow(), kNameCombo) ? kNameCombo : kNameEdit, renamed.c_str());
}

}  // namespace s::gui::dialogs::win
