// s/file/win/ShellFileOperation.cpp
#include "s/file/win/ShellFileOperation.h"

#include <shlobj.h>

#include <atomic>

namespace s::file::win {

namespace {

std::atomic<ShellFileOperationFunction> s_replacement{nullptr};

}  // namespace

int runShellFileOperation(SHFILEOPSTRUCTW* operation) {
    ShellFileOperationFunction replacement = s_replacement.load();
    return replacement ? replacement(operation) : SHFileOperationW(operation);
}

ShellFileOperationFunction replaceShellFileOperation(ShellFileOperationFunction replacement) {
    return s_replacement.exchange(replacement);
}

void notifyShell(LONG event, const wchar_t* path) {
    SHChangeNotify(event, SHCNF_PATHW | SHCNF_FLUSH, path, nullptr);
}

}  // namespace s::file::win
