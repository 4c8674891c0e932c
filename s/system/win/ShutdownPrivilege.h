// s/system/win/ShutdownPrivilege.h
//
// Gives the process the right to shut the system down (SeShutdownPrivilege), once per
// process: later calls return at once, whether the first succeeded or not. Any thread.
#pragma once
#include <windows.h>

namespace s::system::win {

void enableShutdownPrivilege();

// What enableShutdownPrivilege calls to adjust the token, AdjustTokenPrivileges unless a
// test puts a recorder in its place (the previous one is returned; null restores it).
using AdjustTokenFunction = BOOL(WINAPI*)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                          DWORD length, PTOKEN_PRIVILEGES previous,
                                          PDWORD returnLength);
AdjustTokenFunction setAdjustTokenFunction(AdjustTokenFunction function);

}  // namespace s::system::win
