// s/file/win/ExplorerSettings.cpp
#include "s/file/win/ExplorerSettings.h"

namespace s::file::win {

namespace {

const wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

DWORD readValue(const wchar_t* name, DWORD missing) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return missing;
    DWORD value = 0, type = 0, size = sizeof value;
    LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : missing;
}

}  // namespace

DWORD explorerHiddenSetting() { return readValue(L"Hidden", 1); }

DWORD explorerShowSuperHiddenSetting() { return readValue(L"ShowSuperHidden", 0); }

}  // namespace s::file::win
