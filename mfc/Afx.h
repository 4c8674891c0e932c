// mfc/Afx.h
//
// The framework's free helpers that the toolkit calls, as our own functions.
#pragma once
#include <windows.h>

namespace mfc {

// OLE on the calling thread; true also when it was already on (S_FALSE). The matching
// OleUninitialize is the caller's, on the same thread.
bool AfxOleInit();

// A system message box captioned with AfxGetAppName, modal to the calling thread's active
// window: its top-level popup is the owner, and the owner's own top-level owner is disabled
// meanwhile, so the windows behind the box take no input (a second drop, a click) while it
// is up. A thread without an active window shows it without owner. helpId is unused.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

// The full path of the module's file (null: the program's own), read into a buffer that grows
// until the whole name fits, so no path is cut at MAX_PATH. The caller owns the text and frees
// it with delete[]; null when the name cannot be read or memory runs out.
wchar_t* AfxGetModuleFileName(HMODULE module);

}  // namespace mfc
