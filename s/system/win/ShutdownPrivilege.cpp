// s/system/win/ShutdownPrivilege.cpp
#include "s/system/win/ShutdownPrivilege.h"

#include <atomic>

#include "s/thread/ObjLocker.h"

namespace s::system::win {

namespace {

std::atomic<AdjustTokenFunction> s_adjust{&AdjustTokenPrivileges};
bool s_done = false;  // under the lock

s::thread::ObjLocker& privilegeLock() {
    static s::thread::ObjLocker lock;
    return lock;
}

void adjustOnce() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        s_adjust.load()(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

}  // namespace

void enableShutdownPrivilege() {
    s::thread::Lock lock(privilegeLock());
    if (s_done) return;
    s_done = true;
    adjustOnce();
}

AdjustTokenFunction setAdjustTokenFunction(AdjustTokenFunction function) {
    return s_adjust.exchange(function ? function : &AdjustTokenPrivileges);
}

}  // namespace s::system::win
