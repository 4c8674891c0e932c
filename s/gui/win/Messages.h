// s/gui/win/Messages.h
//
// The toolkit's own window messages. Other threads reach a window only through these
// (sent or posted to the visible window's handle). Every message that carries a pointer
// comes from this process; only the restore and "user 7" messages may come from another.
#pragma once
#include <windows.h>

namespace s::gui::win {

constexpr UINT kUserEvent = WM_USER + 1;      // wParam: UserEvent*; lParam: kPostedEvent or 0
constexpr UINT kTrayCallback = WM_USER + 2;
constexpr UINT kRestore = WM_USER + 3;
constexpr UINT kShowInfo = WM_USER + 4;       // wParam: text
constexpr UINT kShowError = WM_USER + 5;      // wParam: text
constexpr UINT kAskYesNo = WM_USER + 6;       // wParam: text; 1 for Yes
constexpr UINT kUser7 = WM_USER + 7;
constexpr UINT kDestroyOwnWindow = WM_USER + 15;
constexpr UINT kStartTimer = WM_USER + 20;    // wParam: user id, lParam: period in ms
constexpr UINT kStopTimer = WM_USER + 21;     // wParam: user id
constexpr UINT kUrlDropMessage = WM_USER + 22;  // to a Box from its own URL drop target
constexpr UINT kCloseInvisible = WM_APP + 1;  // 0x8001: both native windows go
constexpr UINT kCreateChild = WM_APP + 2;     // 0x8002: wParam: IComponent*
constexpr UINT kReflectColour = WM_APP + 3;   // 0x8003; commands and notifications follow
// wParam: function, lParam: its argument; runs the function on the window's UI thread and
// answers 1. Sent only by the window's crossing (runOnUiThread, OnUiThread.h).
constexpr UINT kRunOnUiThread = WM_APP + 0x16;

// lParam of a posted user event: the record is a heap copy that the UI thread frees.
constexpr LPARAM kPostedEvent = 1;

}  // namespace s::gui::win
