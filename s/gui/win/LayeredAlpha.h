// s/gui/win/LayeredAlpha.h
//
// SetLayeredWindowAttributes, looked up in user32.dll at run time once per process (a
// program that imported it would not start where user32 lacks it), and the text a failed
// load of user32 is reported with. The lookup is made under a lock; any thread may ask.
#pragma once
#include <windows.h>

#include <string>

namespace s::gui::win {

using SetLayeredAlphaFunction = BOOL(WINAPI*)(HWND window, COLORREF key, BYTE alpha, DWORD flags);

// The function, null when user32.dll has none. *loadError is the error of a failed load
// of user32.dll when this call made the lookup and the load failed, else 0: a failure is
// reported once, by the caller that met it.
SetLayeredAlphaFunction layeredAlphaFunction(DWORD* loadError);
// "Failed to Load user32Dll.dll!!\nError Code - " and the error in decimal.
std::wstring alphaLoadFailureText(DWORD error);

// A seam for tests: the loader the lookup uses (null: LoadLibraryW); the lookup made so far
// is forgotten, so the next caller looks up again through the new loader.
using LoadLibraryFunction = HMODULE(WINAPI*)(LPCWSTR fileName);
void setUser32Loader(LoadLibraryFunction loader);

}  // namespace s::gui::win
