// tests/s/system/win/OsVersionTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <sstream>
#include <string>
#include <thread>

#include "s/system/win/OsVersion.h"
#include "support/Sandbox.h"

namespace {

using s::system::win::OsVersion;
using s::system::win::fillOsVersion;

// What the fake sources report; each test sets it before filling a record.
struct FakeSource {
    LONG status = 0;
    DWORD major = 0, minor = 0, build = 0, platform = VER_PLATFORM_WIN32_NT;
    const wchar_t* servicePack = L"";
    bool fullField = false;  // fill all 128 units of the field, no terminator
    int calls = 0;
};
FakeSource g_rtl, g_ex;

void fill(const FakeSource& f, OSVERSIONINFOW* info) {
    info->dwMajorVersion = f.major;
    info->dwMinorVersion = f.minor;
    info->dwBuildNumber = f.build;
    info->dwPlatformId = f.platform;
    if (f.fullField)
        for (wchar_t& c : info->szCSDVersion) c = L'S';
    else
        wcsncpy(info->szCSDVersion, f.servicePack, 127);
}

LONG WINAPI fakeRtl(OSVERSIONINFOW* info) {
    ++g_rtl.calls;
    if (info->dwOSVersionInfoSize != 276) return -1;
    fill(g_rtl, info);
    return g_rtl.status;
}

BOOL WINAPI fakeEx(OSVERSIONINFOW* info) {
    ++g_ex.calls;
    fill(g_ex, info);
    return g_ex.status == 0;
}

TEST(OsVersionTest, FlagsFollowTheVersion) {
    struct Row {
        DWORD major, minor, platform;
        bool nt, v60, v61, nt52;
    } rows[] = {
        {5, 1, 2, true, false, false, false},   // XP
        {5, 2, 2, true, false, false, true},    // Server 2003
        {6, 0, 2, true, true, false, false},    // Vista: 6.0 but not 6.1
        {6, 1, 2, true, true, true, false},     // 7
        {6, 3, 2, true, true, true, false},     // 8.1
        {10, 0, 2, true, true, true, false},    // 10: both
        {5, 2, 1, false, false, false, false},  // not NT: never "NT 5.2"
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.major << "." << row.minor << " platform " << row.platform);
        g_rtl = FakeSource{};
        g_rtl.major = row.major;
        g_rtl.minor = row.minor;
        g_rtl.build = 1234;
        g_rtl.platform = row.platform;
        OsVersion v;
        fillOsVersion(&v, &fakeRtl, &fakeEx);
        EXPECT_TRUE(v.probed);
        EXPECT_EQ(row.major, v.majorVersion);
        EXPECT_EQ(row.minor, v.minorVersion);
        EXPECT_EQ(1234u, v.buildNumber);
        EXPECT_EQ(row.nt, v.isNt);
        EXPECT_EQ(row.v60, v.isVersion60OrLater);
        EXPECT_EQ(row.v61, v.isVersion61OrLater);
        EXPECT_EQ(row.nt52, s::system::win::isNtVersion52(v));
    }
}

TEST(OsVersionTest, GetVersionExStandsInForRtlGetVersion) {
    struct Row {
        bool rtlPresent;
        LONG rtlStatus;
        DWORD rtlMajor;
        DWORD expectedMajor;
        const char* why;
    } rows[] = {
        {true, 0, 10, 10, "RtlGetVersion answers"},
        {false, 0, 0, 5, "RtlGetVersion missing"},
        {true, static_cast<LONG>(0xC0000001), 10, 5, "RtlGetVersion fails"},
        {true, 0, 0, 5, "RtlGetVersion answers all zeros"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        g_rtl = FakeSource{};
        g_rtl.status = row.rtlStatus;
        g_rtl.major = row.rtlMajor;
        g_rtl.servicePack = L"from rtl";
        g_ex = FakeSource{};
        g_ex.major = 5;
        g_ex.minor = 1;
        g_ex.build = 2600;
        g_ex.servicePack = L"Service Pack 3";
        OsVersion v;
        fillOsVersion(&v, row.rtlPresent ? &fakeRtl : nullptr, &fakeEx);
        EXPECT_EQ(row.expectedMajor, v.majorVersion);
        EXPECT_STREQ(row.expectedMajor == 5 ? L"Service Pack 3" : L"from rtl", v.servicePack);
    }
    g_rtl = FakeSource{};
    g_ex = FakeSource{};
    g_ex.status = 1;
    g_ex.major = 9;
    OsVersion none;
    fillOsVersion(&none, nullptr, &fakeEx);
    EXPECT_EQ(0u, none.majorVersion) << "both sources failed: all zeros";
    EXPECT_FALSE(none.isNt);
    EXPECT_TRUE(none.probed);
}

TEST(OsVersionTest, AServicePackFillingItsFieldIsCopiedWithinIt) {
    g_rtl = FakeSource{};
    g_rtl.major = 6;
    g_rtl.fullField = true;
    OsVersion v;
    std::memset(v.servicePack, 'x', sizeof v.servicePack);
    fillOsVersion(&v, &fakeRtl, &fakeEx);
    EXPECT_EQ(128u, std::wcslen(v.servicePack));
    EXPECT_EQ(std::wstring(128, L'S'), v.servicePack);
}

// One probe for the whole process: another thread gets the very object this one got, and
// it holds what the system itself answers (RtlGetVersion, asked here directly).
TEST(OsVersionTest, TheProcessIsProbedOnce) {
    const OsVersion& first = s::system::win::osVersion();
    const OsVersion* seenByAnother = nullptr;
    std::thread([&seenByAnother] {
        s::system::win::probeOsVersion();
        seenByAnother = &s::system::win::osVersion();
    }).join();
    EXPECT_EQ(&first, seenByAnother);
    EXPECT_TRUE(first.probed);
    EXPECT_TRUE(first.isNt);
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, rtlGetVersion);
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_EQ(0, rtlGetVersion(&info));
    EXPECT_EQ(info.dwMajorVersion, first.majorVersion);
    EXPECT_EQ(info.dwMinorVersion, first.minorVersion);
    EXPECT_EQ(info.dwBuildNumber, first.buildNumber);
}

// Runs a copy of the probe program under a Windows version that Wine takes from the
// program's own name (HKCU\Software\Wine\AppDefaults\<name>\Version), and reads its line.
class VersionUnderWine {
public:
    VersionUnderWine(const tests::Sandbox& box, const wchar_t* version)
        : m_name(std::wstring(L"osprobe-") + version + L"-" + std::to_wstring(GetCurrentProcessId()) + L".exe"),
          m_settings(L"Software\\Wine\\AppDefaults\\" + m_name) {
        wchar_t self[MAX_PATH];
        DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring folder(self, n);
        folder.resize(folder.find_last_of(L'\\') + 1);
        std::wstring copy = box.at(m_name);
        if (!CopyFileW((folder + L"os_version_probe.exe").c_str(), copy.c_str(), FALSE)) return;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, m_settings.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * 2));
        RegCloseKey(key);
        m_output = run(copy, box.at(m_name + L".txt"));
    }
    ~VersionUnderWine() { RegDeleteKeyW(HKEY_CURRENT_USER, m_settings.c_str()); }

    const std::string& output() const { return m_output; }

private:
    static std::string run(const std::wstring& program, const std::wstring& outputFile) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE) return "";
        STARTUPINFOW start = {};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = out;
        start.hStdError = out;
        start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION process = {};
        std::wstring commandLine = L"\"" + program + L"\"";
        BOOL started = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &start, &process);
        CloseHandle(out);
        if (!started) return "";
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::string text;
        HANDLE in = CreateFileW(outputFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (in == INVALID_HANDLE_VALUE) return "";
        char buffer[512];
        DWORD got = 0;
        if (ReadFile(in, buffer, sizeof buffer, &got, nullptr)) text.assign(buffer, got);
        CloseHandle(in);
        return text;
    }

    std::wstring m_name;
    std::wstring m_settings;
    std::string m_output;
};

TEST(OsVersionTest, ProbedUnderWindowsVersionsSetByWine) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    struct Row {
        const wchar_t* version;
        unsigned major, minor;
        int v60, v61, nt52;
    } rows[] = {
        {L"winxp", 5, 1, 0, 0, 0},
        {L"win2003", 5, 2, 0, 0, 1},
        {L"vista", 6, 0, 1, 0, 0},
        {L"win10", 10, 0, 1, 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.version)));
        VersionUnderWine probe(box, row.version);
        std::istringstream line(probe.output());
        unsigned major = 0, minor = 0, build = 0;
        int nt = -1, v60 = -1, v61 = -1, nt52 = -1;
        line >> major >> minor >> build >> nt >> v60 >> v61 >> nt52;
        ASSERT_FALSE(line.fail()) << probe.output();
        EXPECT_EQ(row.major, major);
        EXPECT_EQ(row.minor, minor);
        EXPECT_GT(build, 0u);
        EXPECT_EQ(1, nt);
        EXPECT_EQ(row.v60, v60);
        EXPECT_EQ(row.v61, v61);
        EXPECT_EQ(row.nt52, nt52);
    }
}

}  // namespace
