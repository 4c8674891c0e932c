// tests/support/program/InProcessProgram.h
//
// The program's own start-up run inside the test's process: the application object made
// and its InitInstance called on a thread of its own, just as the program's entry does on
// its main thread (the program's code is a library beside the executable). The test's
// thread then plays the user on the window that start-up shows, and closes it; InitInstance
// returns once the window has closed and everything went back to its pools.
//
// The program reads its settings from its own key of the session's fresh Wine prefix;
// every start begins from no settings at all (the key is removed first), so no test sees
// what another one chose, unless the test asks for a restart that keeps what the program
// stored before. Only one program may run in a process at a time.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tests::program {

class InProcessProgram {
public:
    // keepSettings: the start finds what the last run stored, as a user's next start does.
    explicit InProcessProgram(bool keepSettings = false);
    // Closes the main window if the test did not, then waits for the start-up to end.
    ~InProcessProgram();
    InProcessProgram(const InProcessProgram&) = delete;
    InProcessProgram& operator=(const InProcessProgram&) = delete;

    bool started() const { return m_thread != nullptr; }
    // The program's main window once it is shown ("Brakvane ..." of this process), else null.
    HWND waitForMainWindow(uint32_t limitMs) const;
    // WM_CLOSE to the main window, as its close box sends it.
    void close() const;
    // True when InitInstance has returned within limitMs.
    bool waitForEnd(uint32_t limitMs) const;
    // What InitInstance answered (the program's entry ends the process on FALSE).
    BOOL answer() const { return m_answer; }

    // The program's settings key below HKEY_CURRENT_USER, removed before each start.
    static const wchar_t* settingsKey();
    // Removes the settings key (and everything under it); true when it is gone.
    static bool forgetSettings();

private:
    static DWORD WINAPI run(void* self);

    HANDLE m_thread = nullptr;
    volatile BOOL m_answer = TRUE;
    mutable HWND m_main = nullptr;
};

// The visible top-level window of this process whose caption is `title` (or starts with it
// when `prefix`), of the toolkit's window class; null when there is none.
HWND findTopWindow(const wchar_t* title, bool prefix);

}  // namespace tests::program
