// tests/demo/WipeDemoTest.cpp
//
// The console driver as a user runs it: a real process of wipe_demo.exe started in a
// sandbox folder, its output taken from a file (so written as UTF-8) in another sandbox.
// It touches only the items it was given, and never reports success for one it did not wipe.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/Sandbox.h"

namespace {

std::wstring driverProgram() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"wipe_demo.exe";
}

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

struct DriverRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and standard error, in UTF-8
};

class WipeDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.ok());
        ASSERT_TRUE(logs.ok());
        ASSERT_TRUE(box.makeFolder(L"work"));
    }

    // Runs the driver in the sandbox's "work" folder with these arguments (at most 60 s).
    DriverRun run(const std::wstring& arguments) {
        DriverRun result;
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        const std::wstring log = logs.at(L"out-" + std::to_wstring(++runs) + L".txt");
        HANDLE out = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        if (out == INVALID_HANDLE_VALUE) return result;
        STARTUPINFOW info = {};
        info.cb = sizeof info;
        info.dwFlags = STARTF_USESTDHANDLES;
        info.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        info.hStdOutput = out;
        info.hStdError = out;
        PROCESS_INFORMATION process = {};
        const std::wstring program = driverProgram();
        std::wstring line = L"\"" + program + L"\" " + arguments;
        const std::wstring folder = box.at(L"work");
        // No CREATE_NO_WINDOW: with it the child's output never reached the handles given
        // here (Wine 8.0, checked).
        if (CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                           &info, &process)) {
            if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
                GetExitCodeProcess(process.hProcess, &result.exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(out);
        logs.readFile(L"out-" + std::to_wstring(runs) + L".txt", &result.output);
        return result;
    }

    bool has(const DriverRun& run, const std::wstring& text) { return run.output.find(utf8(text)) != std::string::npos; }

    tests::Sandbox box;
    tests::Sandbox logs;
    int runs = 0;
};

// Options come first: one after a path, or one the driver does not know, stops it before
// anything is touched, and is never taken for a path.
TEST_F(WipeDemoTest, AnOptionAfterAPathOrAnUnknownOneIsAnError) {
    for (const wchar_t* name : {L"work\\X", L"work\\--method", L"work\\random", L"work\\--bogus"})
        ASSERT_TRUE(box.writeFile(name, "keep me"));
    const struct {
        const wchar_t* arguments;
        const char* why;
    } rows[] = {
        {L"--destroy-beyond-recovery X --method random", "an option after the first path"},
        {L"--bogus --destroy-beyond-recovery X", "an unknown option"},
        {L"--destroy-beyond-recovery --bogus X", "an unknown option among the options"},
        {L"X", "no confirmation"},
        {L"--destroy-beyond-recovery", "no path"},
        {L"--method nothing --destroy-beyond-recovery X", "an unknown method"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const DriverRun r = run(row.arguments);
        EXPECT_EQ(2u, r.exitCode) << r.output;
        EXPECT_NE(std::string::npos, r.output.find("usage:")) << r.output;
    }
    for (const wchar_t* name : {L"work\\X", L"work\\--method", L"work\\random", L"work\\--bogus"}) {
        std::string back;
        EXPECT_TRUE(box.readFile(name, &back)) << name;
        EXPECT_EQ("keep me", back) << name;
    }
}

// "--" ends the options: what follows is a path even when it begins with "-".
TEST_F(WipeDemoTest, DoubleDashEndsTheOptions) {
    ASSERT_TRUE(box.writeFile(L"work\\--method", std::string(3000, 'm')));
    ASSERT_TRUE(box.writeFile(L"work\\kept", "kept"));
    const DriverRun r = run(L"--method random --destroy-beyond-recovery -- --method");
    EXPECT_EQ(0u, r.exitCode) << r.output;
    EXPECT_FALSE(box.exists(L"work\\--method"));
    EXPECT_TRUE(box.exists(L"work\\kept"));
}

// A relative path is made absolute against the current folder before anything is touched,
// and is printed whole.
TEST_F(WipeDemoTest, RelativePathsAreMadeAbsoluteAndPrinted) {
    ASSERT_TRUE(box.makeFolder(L"work\\sub"));
    ASSERT_TRUE(box.writeFile(L"work\\sub\\a.txt", std::string(5000, 'a')));
    ASSERT_TRUE(box.writeFile(L"work\\b.txt", std::string(100, 'b')));
    ASSERT_TRUE(box.writeFile(L"c.txt", "outside the current folder"));
    const DriverRun r = run(L"--method random --destroy-beyond-recovery sub .\\b.txt");
    EXPECT_EQ(0u, r.exitCode) << r.output;
    EXPECT_TRUE(has(r, L"wiping: " + box.at(L"work\\sub") + L"\n")) << r.output;
    EXPECT_TRUE(has(r, L"wiping: " + box.at(L"work\\b.txt") + L"\n")) << r.output;
    EXPECT_FALSE(box.exists(L"work\\sub"));
    EXPECT_FALSE(box.exists(L"work\\b.txt"));
    EXPECT_TRUE(box.exists(L"c.txt"));
    EXPECT_TRUE(box.exists(L"work"));
}

// What does not exist, what no file call may reach and a device are listed as not wiped,
// with the reason, whole in any language; the others are wiped, and the exit code says
// that not all was.
TEST_F(WipeDemoTest, WhatCannotBeWipedIsListedAndTheExitCodeSaysSo) {
    ASSERT_TRUE(box.writeFile(L"work\\real.txt", std::string(2000, 'r')));
    const std::wstring missing = L"n\u00e4chste-\u03a9\u043c\u0435\u0433\u0430-\u6587\u4ef6.txt";
    const DriverRun r = run(L"--method random --destroy-beyond-recovery " + missing + L" real.txt \\\\.\\COM1 NUL");
    EXPECT_EQ(1u, r.exitCode) << r.output;
    EXPECT_FALSE(box.exists(L"work\\real.txt"));
    EXPECT_TRUE(has(r, L"not wiped: " + box.at(L"work\\") + missing + L" (it does not exist)\n")) << r.output;
    EXPECT_TRUE(has(r, L"not wiped: \\\\.\\COM1 (")) << r.output;
    EXPECT_TRUE(has(r, L"not wiped: " + box.at(L"work\\NUL") + L" (it does not exist)\n")) << r.output;
    EXPECT_TRUE(has(r, L"4 item(s) given, 3 not wiped")) << r.output;
}

// A named pipe of the host is neither a file nor a folder: it is never opened, and listed.
TEST_F(WipeDemoTest, APipeIsNotWiped) {
    ASSERT_TRUE(box.makeHostFifo(L"work", "pipe"));
    const DriverRun r = run(L"--destroy-beyond-recovery pipe");
    EXPECT_EQ(1u, r.exitCode) << r.output;
    EXPECT_TRUE(has(r, L"not wiped: " + box.at(L"work\\pipe") + L" (")) << r.output;
}

// A typo alone: nothing wiped, and the exit code is not success.
TEST_F(WipeDemoTest, AMistypedPathIsNoSuccess) {
    const DriverRun r = run(L"--destroy-beyond-recovery typo.txt");
    EXPECT_EQ(1u, r.exitCode) << r.output;
    EXPECT_TRUE(has(r, L"1 item(s) given, 1 not wiped")) << r.output;
}

}  // namespace
