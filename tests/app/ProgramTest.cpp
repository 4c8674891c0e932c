// tests/app/ProgramTest.cpp
//
// The program itself, started as a process of its own beside the test program. These tests
// run one after another (the program allows one instance per program file) and use the
// program's own settings key of the session's fresh Wine prefix.
#include <gmock/gmock.h>

#include <windows.h>

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
    Process() {
        std::wstring line = L"\"" + programFile() + L"\"";
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

    // The visible top-level windows of the process.
    std::vector<HWND> windows() const {
        Search search = {id(), {}};
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
    };
    static BOOL CALLBACK collect(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == search->pid && IsWindowVisible(window)) search->found.push_back(window);
        return TRUE;
    }

    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};

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
    // Ending the first after it was brought forward is the test below.
    PostMessageW(window, WM_CLOSE, 0, 0);
    first.waitForExit(kExitLimitMs);
}

// Under Wine 8.0 the first program, once brought forward by the restore message, now and
// then never ends after its window has closed (its windows are gone, the process stays).
// Kept off until the window's restore handling is mended; run it with
// --gtest_also_run_disabled_tests.
TEST_F(ProgramTest, DISABLED_ClosedAfterTheRestoreMessageEndsWithCodeZero) {
    for (int run = 0; run < 8; ++run) {
        tests::gui::phase("run " + std::to_string(run));
        Process program;
        HWND window = program.waitForWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, window) << "run " << run;
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_USER + 3, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 3000, &answer);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(0, program.waitForExit(kExitLimitMs)) << "run " << run;
    }
}

TEST_F(ProgramTest, StartedAndClosedTwentyTimesInARow) {
    for (int run = 0; run < 20; ++run) {
        tests::gui::phase("run " + std::to_string(run));
        Process program;
        ASSERT_TRUE(program.started()) << run;
        HWND window = program.waitForWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, window) << "run " << run;
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(0, program.waitForExit(kExitLimitMs)) << "run " << run;
    }
}

}  // namespace

