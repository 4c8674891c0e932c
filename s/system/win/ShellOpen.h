// s/system/win/ShellOpen.h
//
// Opens a file or a web address with the shell's "open" verb (the default browser for an
// address), as a double click would. Any thread; the outcome is not reported, as the
// shell shows its own message when it cannot open the target.
#pragma once
#include <windows.h>
#include <shellapi.h>

namespace s::system::win {

void shellOpen(const wchar_t* target);  // null: nothing

// The same call with another verb and mask (the property sheet: "properties" with
// SEE_MASK_INVOKEIDLIST); null target: nothing.
void shellExecuteVerb(const wchar_t* verb, const wchar_t* target, ULONG mask);

// What shellOpen calls, ShellExecuteExW unless a test puts a recorder in its place (the
// previous one is returned; null restores ShellExecuteExW).
using ShellExecuteFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW* info);
ShellExecuteFunction setShellExecuteFunction(ShellExecuteFunction function);

}  // namespace s::system::win
