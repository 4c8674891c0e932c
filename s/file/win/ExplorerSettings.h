// s/file/win/ExplorerSettings.h
//
// Explorer's visibility settings of the current user, "Hidden" and "ShowSuperHidden" under
// "Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced", read at every call (the user
// may change them while the program runs) through one registry key object per value, made
// on first use and kept for the life of the process, each behind its own lock. Any thread.
// A missing value reads as its default (1 and 0).
#pragma once
#include <windows.h>

namespace s::file::win {

DWORD explorerHiddenSetting();
DWORD explorerShowSuperHiddenSetting();

// Points both readers at another key below HKEY_CURRENT_USER, for the whole process (tests
// that must not touch Explorer's own key); null points them back at Explorer's.
void useExplorerSettingsKey(const wchar_t* keyPath);

}  // namespace s::file::win
