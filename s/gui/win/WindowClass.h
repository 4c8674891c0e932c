// s/gui/win/WindowClass.h
//
// The library's window class, used by every top-level window, its hidden owner and every
// plain component window. Its procedure reflects control notifications back to the
// control that sent them, so each control handles its own (as kReflectColour and up).
#pragma once
#include <windows.h>

namespace s::gui::win {

constexpr wchar_t kWindowClassName[] = L"TesmorWindowClass";

// Registers the class once per process; any thread, any number of times. A class that is
// already there (ERROR_CLASS_ALREADY_EXISTS) counts as registered.
bool registerWindowClass();

LRESULT CALLBACK messageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The reflected message for a WM_COMMAND notification code or a WM_NOTIFY code; 0 when
// the code is not reflected. For WM_NOTIFY, *answered tells whether the control's answer
// is the result (else 0 is).
UINT reflectedCommand(UINT notifyCode);
UINT reflectedNotify(int notifyCode, bool* answered);

}  // namespace s::gui::win
