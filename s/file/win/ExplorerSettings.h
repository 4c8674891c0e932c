// s/file/win/ExplorerSettings.h
//
// Explorer's visibility settings of the current user, "Hidden" and "ShowSuperHidden" under
// "Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced", read at every call (the user
// may change them while the program runs). Any thread. A missing value reads as its
// default (1 and 0).
#pragma once
#include <windows.h>

namespace s::file::win {

DWORD explorerHiddenSetting();
DWORD explorerShowSuperHiddenSetting();

}  // namespace s::file::win
