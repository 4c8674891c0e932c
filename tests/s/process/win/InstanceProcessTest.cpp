// tests/s/process/win/InstanceProcessTest.cpp
//
// Two real processes of the probe program: the second start finds the first by its program
// file and brings its window forward; a copy in another folder is not the same program.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/Sandbox.h"

namespace {

std::wstring probeProgram() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"instance_probe.exe";
}

// Starts program with arguments; null on failure.
HANDLE start(const std::wstring& program, const std::wstring& arguments) {
    STARTUPINFOW info = {};
    info.cb = sizeof info;
    PROCESS_INFORMATION process = {};
    std::wstring line = L"\"" + program + L"\" " + arguments;
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &info, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD exitCodeWithin(HANDLE process, DWORD ms) {
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process, ms) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    return code;
}

HWND waitForWindow(DWORD ms) {
    const DWORD begin = GetTickCount();
    HWND window = nullptr;
    while (!(window = FindWindowW(L"InstanceProbe", L"Instance Probe")) &&
           GetTickCount() - begin < ms) {
        Sleep(50);
    }
    return window;
}

std::string readAll(const std::wstring& path) {
    std::ifstream in(std::string(path.begin(), path.end()));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(InstanceProcess, TheSecondStartFindsTheFirstAndACopyElsewhereDoesNot) {
    tests::Sandbox box;
    CreateDirectoryW(box.at(L"a").c_str(), nullptr);
    CreateDirectoryW(box.at(L"b").c_str(), nullptr);
    const std::wstring program = box.at(L"a\\probe.exe");
    const std::wstring copy = box.at(L"b\\probe.exe");
    ASSERT_TRUE(CopyFileW(probeProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(probeProgram().c_str(), copy.c_str(), FALSE));
    const std::wstring log = box.at(L"log.txt");

    HANDLE first = start(program, L"first \"" + log + L"\"");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(waitForWindow(10000), nullptr);

    HANDLE elsewhere = start(copy, L"second");
    ASSERT_NE(elsewhere, nullptr);
    EXPECT_EQ(exitCodeWithin(elsewhere, 15000), 2u) << "a copy in another folder was taken";
    CloseHandle(elsewhere);

    HANDLE second = start(program, L"second");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(exitCodeWithin(second, 15000), 0u);
    CloseHandle(second);

    EXPECT_EQ(exitCodeWithin(first, 15000), 0u) << "the first did not get the second message";
    CloseHandle(first);
    EXPECT_EQ(readAll(log), "1027\n1031\n");
}

TEST(InstanceProcess, AHungFirstInstanceNeverHangsTheSecondStart) {
    tests::Sandbox box;
    const std::wstring program = box.at(L"probe.exe");
    ASSERT_TRUE(CopyFileW(probeProgram().c_str(), program.c_str(), FALSE));
    HANDLE first = start(program, L"hung");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(waitForWindow(10000), nullptr);
    HANDLE second = start(program, L"second");
    ASSERT_NE(second, nullptr);
    // The idle wait is bounded (5 s, once per message) and each send gives up on a hung window.
    EXPECT_EQ(exitCodeWithin(second, 20000), 0u) << "the second start hung";
    TerminateProcess(second, 1);
    CloseHandle(second);
    TerminateProcess(first, 0);
    WaitForSingleObject(first, 5000);
    CloseHandle(first);
}

}  // namespace
