// s/system/win/ShellOpen.cpp
#include "s/system/win/ShellOpen.h"

#include <atomic>

namespace s::system::win {

namespace {

std::atomic<ShellExecuteFunction> s_shellExecute{&ShellExecuteExW};

}  // namespace

void shellOpen(const wchar_t* target) { shellExecuteVerb(L"open", target, 0); }

void shellExecuteVerb(const wchar_t* verb, const wchar_t* target, ULONG mask) {
    if (!target) return;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.hwnd = nullptr;
    info.lpVerb = verb;
    info.lpFile = target;
    info.lpParameters = L"";
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    s_shellExecute.load()(&info);
}

ShellExecuteFunction setShellExecuteFunction(ShellExecuteFunction function) {
    return s_shellExecute.exchange(function ? function : &ShellExecuteExW);
}

}  // namespace s::system::win
