// s/file/win/ShellFileOperation.h
//
// The two doors to the Windows shell that the path objects use for whole operations:
// SHFileOperationW (copy, move, recycle) and the change notification. Any thread may call
// them. The file operation can be replaced, process-wide, by a function of a test, so that
// the requests that would reach the recycle bin can be checked without the shell.
#pragma once
#include <windows.h>

#include <shellapi.h>

namespace s::file::win {

using ShellFileOperationFunction = int (*)(SHFILEOPSTRUCTW* operation);

// SHFileOperationW, or the replacement; its result (0 on success).
int runShellFileOperation(SHFILEOPSTRUCTW* operation);

// Sets the replacement (null: SHFileOperationW again) and answers the one it replaces.
ShellFileOperationFunction replaceShellFileOperation(ShellFileOperationFunction replacement);

// SHChangeNotify(event, SHCNF_PATHW | SHCNF_FLUSH, path, none).
void notifyShell(LONG event, const wchar_t* path);

}  // namespace s::file::win
