// tests/app/ProgramTest.cpp
//
// The program itself, started as a process of its own beside the test program. These tests
// run one after another (the program allows one instance per program file) and use the
// program's own settings key of the session's fresh Wine prefix.
#include <gmock/gmock.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/gui/GuiHarness.h"

namespace {

constexpr DWORD kWindowLimitMs = 30000;
constexpr DWORD kExitLimitMs = 30000;

std::wstring programFile() {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"brakvane.exe";
}

class Process {
public:
    explicit Process(const std::wstring& parameters = L"") {
        std::wstring line = L"\"" + programFile() + L"\"";
        if (!parameters.empty()) line += L" " + parameters;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        m_started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_info) != FALSE;
    }
    ~Process() {
        if (!m_started) return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 9);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return m_started; }
    DWORD id() const { return m_info.dwProcessId; }

    // The visible top-level windows of the process; with hidden too, every one of them.
    std::vector<HWND> windows(bool hiddenToo = false) const {
        Search search = {id(), {}, hiddenToo};
        EnumWindows(&collect, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND waitForWindow(DWORD limitMs) const {
        for (DWORD waited = 0; waited < limitMs; waited += 50) {
            for (HWND window : windows())
                if (GetWindowTextLengthW(window) > 0) return window;
            if (hasEnded()) return nullptr;
            Sleep(50);
        }
        return nullptr;
    }

    bool hasEnded() const { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }

    // The exit code once it ended within limitMs; -1 when it still runs.
    long waitForExit(DWORD limitMs) const {
        if (WaitForSingleObject(m_info.hProcess, limitMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(m_info.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
        bool hiddenToo;
    };
    static BOOL CALLBACK collect(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == search->pid && (search->hiddenToo || IsWindowVisible(window))) search->found.push_back(window);
        return TRUE;
    }

    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};

// Processes of the program file's name still running in the session.
int runningPrograms() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"brakvane.exe") == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

std::wstring captionOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

BOOL CALLBACK collectCaption(HWND child, LPARAM captions) {
    reinterpret_cast<std::vector<std::wstring>*>(captions)->push_back(captionOf(child));
    return TRUE;
}

// The captions of the window's native child controls (buttons, check boxes, group boxes).
std::vector<std::wstring> childCaptions(HWND window) {
    std::vector<std::wstring> captions;
    EnumChildWindows(window, &collectCaption, reinterpret_cast<LPARAM>(&captions));
    return captions;
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_watchdog = std::make_unique<tests::gui::Watchdog>(m_name.c_str(), 280000);
    }
    void TearDown() override { m_watchdog.reset(); }

private:
    std::string m_name;
    std::unique_ptr<tests::gui::Watchdog> m_watchdog;
};

TEST_F(ProgramTest, StartsShowsItsWindowAndEndsWithCodeZero) {
    tests::gui::phase("first start");
    Process program;
    ASSERT_TRUE(program.started());
    HWND window = program.waitForWindow(kWindowLimitMs);
    ASSERT_NE(nullptr, window) << "no window within the limit";
    EXPECT_EQ(L"Brakvane v1.23", captionOf(window));
    // Its drop box, shown by the program's own executable.
    EXPECT_TRUE(tests::gui::eventually(
        [&] {
            for (const std::wstring& caption : childCaptions(window))
                if (caption == L"Drop Box") return true;
            return false;
        },
        10000));
    tests::gui::saveScreenshot(window, L"app-program-main-window");
    PostMessageW(window, WM_CLOSE, 0, 0);
    tests::gui::phase("waiting for the program to end");
    EXPECT_EQ(0, program.waitForExit(kExitLimitMs));
}

TEST_F(ProgramTest, SecondStartFindsTheFirstAndEndsWithoutAWindow) {
    Process first;
    ASSERT_TRUE(first.started());
    HWND window = first.waitForWindow(kWindowLimitMs);
    ASSERT_NE(nullptr, window);
    // Minimised, so that the second start's restore shows.
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    tests::gui::phase("second start");
    Process second;
    ASSERT_TRUE(second.started());
    bool secondShowedAWindow = false;
    for (DWORD waited = 0; waited < kExitLimitMs && !second.hasEnded(); waited += 20) {
        if (!second.windows().empty()) secondShowedAWindow = true;
        Sleep(20);
    }
    EXPECT_EQ(0, second.waitForExit(0)) << "the second start must end by itself";
    EXPECT_FALSE(secondShowedAWindow);
    EXPECT_FALSE(first.hasEnded());
    EXPECT_FALSE(IsIconic(window)) << "the running window is restored";
    EXPECT_TRUE(IsWindowVisible(window));
    // Brought forward by the second start, the first still ends when its window closes.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.waitForExit(kExitLimitMs));
}

// Asked as the program asks (RegGetValueW is missing on XP, which every program here runs on).
bool silentValuePresent() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Ostrel\\Ostrel Brakvane", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    const bool present = RegQueryValueExW(key, L"Silent", nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

// A start with parameters leaves the one-shot "Silent" value alone (only a plain start takes
// it and opens the product page), and still keeps to one instance.
TEST_F(ProgramTest, WithParametersTheSilentValueStaysAndTheFirstIsStillFound) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ostrel\\Ostrel Brakvane", 0, nullptr,
                                             0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    const DWORD one = 1;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Silent", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                                            sizeof one));
    Process first(L"/tray");
    HWND window = first.waitForWindow(kWindowLimitMs);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(silentValuePresent());
    Process second(L"/tray");
    ASSERT_TRUE(second.started());
    EXPECT_EQ(0, second.waitForExit(kExitLimitMs)) << "the second start must end by itself";
    EXPECT_FALSE(first.hasEnded());
    EXPECT_TRUE(silentValuePresent());
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.waitForExit(kExitLimitMs));
    RegDeleteValueW(key, L"Silent");
    RegCloseKey(key);
}

// The restore message a second start sends, then the close at once: the program ends each
// time, whatever its window was doing when the close came.
TEST_F(ProgramTest, ClosedAfterTheRestoreMessageEndsWithCodeZero) {
    // Odd runs restore a minimised window; the close follows at once or a little later.
    for (int run = 0; run < 12; ++run) {
        tests::gui::phase("run " + std::to_string(run));
        Process program;
        HWND window = program.waitForWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, window) << "run " << run;
        if (run % 2) ShowWindow(window, SW_MINIMIZE);
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_USER + 3, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 3000, &answer);
        Sleep(static_cast<DWORD>(run / 2) * 25);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(0, program.waitForExit(kExitLimitMs)) << "run " << run;
    }
}

// A close sent to every top-level window of the program, as a task killer without force
// does: the main window's hidden owner may take it first and destroy the main window with
// it, without the main window ever being closed. The program ends all the same.
TEST_F(ProgramTest, ClosingEveryWindowOfTheProgramEndsIt) {
    for (int run = 0; run < 4; ++run) {
        tests::gui::phase("run " + std::to_string(run));
        Process program;
        HWND window = program.waitForWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, window) << "run " << run;
        std::vector<HWND> all = program.windows(true);
        ASSERT_GE(all.size(), 2u) << "the main window and its owner";
        // Owner first in even runs, the main window first in odd ones.
        if (run % 2) std::stable_partition(all.begin(), all.end(), [&](HWND w) { return w == window; });
        else std::stable_partition(all.begin(), all.end(), [&](HWND w) { return w != window; });
        for (HWND each : all) PostMessageW(each, WM_CLOSE, 0, 0);
        ASSERT_EQ(0, program.waitForExit(kExitLimitMs)) << "run " << run;
    }
}

// About a third of a second a start under Wine 8.0 here: a hundred fit the serial limit.
TEST_F(ProgramTest, StartedAndClosedAHundredTimesInARow) {
    for (int run = 0; run < 100; ++run) {
        tests::gui::phase("run " + std::to_string(run));
        Process program;
        ASSERT_TRUE(program.started()) << run;
        HWND window = program.waitForWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, window) << "run " << run;
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(0, program.waitForExit(kExitLimitMs)) << "run " << run;
    }
    EXPECT_EQ(0, runningPrograms()) << "a start left a process behind";
}

}  // namespace

