// tests/s/system/win/ShellTest.cpp
//
// shellOpen and enableShutdownPrivilege through their seams: a real shell open would start
// a browser, and the privilege is granted under Wine whatever is asked.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "s/system/win/ShellOpen.h"
#include "s/system/win/ShutdownPrivilege.h"

namespace {

struct Recorded {
    int calls = 0;
    std::wstring verb, file, parameters;
    bool directory = true;
    bool window = true;
    int show = -1;
    DWORD mask = 0xFFFFFFFF;
} g_shell;

BOOL WINAPI recordShell(SHELLEXECUTEINFOW* info) {
    ++g_shell.calls;
    g_shell.verb = info->lpVerb ? info->lpVerb : L"(null)";
    g_shell.file = info->lpFile ? info->lpFile : L"(null)";
    g_shell.parameters = info->lpParameters ? info->lpParameters : L"(null)";
    g_shell.directory = info->lpDirectory != nullptr;
    g_shell.window = info->hwnd != nullptr;
    g_shell.show = info->nShow;
    g_shell.mask = info->fMask;
    return FALSE;  // the outcome is not examined
}

TEST(ShellTest, OpenUsesTheOpenVerbAndShowsTheTarget) {
    g_shell = Recorded{};
    auto previous = s::system::win::setShellExecuteFunction(&recordShell);
    s::system::win::shellOpen(L"https://example.invalid/page");
    s::system::win::shellOpen(nullptr);
    s::system::win::setShellExecuteFunction(previous);
    EXPECT_EQ(1, g_shell.calls);
    EXPECT_EQ(L"open", g_shell.verb);
    EXPECT_EQ(L"https://example.invalid/page", g_shell.file);
    EXPECT_EQ(L"", g_shell.parameters);
    EXPECT_FALSE(g_shell.directory);
    EXPECT_FALSE(g_shell.window);
    EXPECT_EQ(SW_SHOW, g_shell.show);
    EXPECT_EQ(0u, g_shell.mask);
}

struct Adjusted {
    int calls = 0;
    DWORD count = 0;
    LUID luid = {};
    DWORD attributes = 0;
    BOOL disableAll = TRUE;
} g_adjust;

BOOL WINAPI recordAdjust(HANDLE, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
    ++g_adjust.calls;
    g_adjust.disableAll = disableAll;
    g_adjust.count = state->PrivilegeCount;
    g_adjust.luid = state->Privileges[0].Luid;
    g_adjust.attributes = state->Privileges[0].Attributes;
    return TRUE;
}

TEST(ShellTest, ShutdownPrivilegeIsAdjustedOnce) {
    auto previous = s::system::win::setAdjustTokenFunction(&recordAdjust);
    s::system::win::enableShutdownPrivilege();
    s::system::win::enableShutdownPrivilege();
    s::system::win::setAdjustTokenFunction(previous);
    EXPECT_EQ(1, g_adjust.calls);
    LUID shutdown = {};
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown));
    EXPECT_EQ(1u, g_adjust.count);
    EXPECT_EQ(shutdown.LowPart, g_adjust.luid.LowPart);
    EXPECT_EQ(shutdown.HighPart, g_adjust.luid.HighPart);
    EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), g_adjust.attributes);
    EXPECT_FALSE(g_adjust.disableAll);
}

}  // namespace
