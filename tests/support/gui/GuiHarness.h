// tests/support/gui/GuiHarness.h
//
// What every GUI test stands on:
//   - Watchdog: a thread that ends the process with a failure (exit code 4) and the last
//     phase the test named, once the test has run longer than its limit, so a deadlock is
//     a failing test with a place and never a stuck run;
//   - ModalWatcher: a thread that finds the process's message boxes ("#32770"), reads their
//     caption, text and owner, and answers them;
//   - saveScreenshot: a PNG of a window as it is on the screen, under the build folder
//     (screenshots\ beside the test programs);
//   - object counts of the process, to show that nothing leaked.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tests::gui {

class Watchdog {
public:
    Watchdog(const char* test, uint32_t limitMs);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI run(void* self);
    std::string m_test;
    uint32_t m_limitMs;
    HANDLE m_done;
    HANDLE m_thread;
};

// The phase the watchdog reports if the test hangs; a short literal or text.
void phase(const std::string& text);

struct SeenBox {
    HWND box;
    std::wstring caption;
    std::wstring text;
    HWND owner;
    DWORD threadId;
    int answeredWith;  // the button id clicked, or 0 for a close
};

// A pop-up menu ("#32768") the watcher saw open and how it answered it.
struct SeenMenu {
    HWND window;
    HMENU menu;
    DWORD threadId;
    int answeredWith;  // the pick's position among the selectable entries, or kMenuClose
};

class ModalWatcher {
public:
    // answer: IDOK, IDYES, IDNO or IDCANCEL clicks that button; 0 closes the box instead.
    explicit ModalWatcher(int answer = IDOK);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    void setAnswer(int answer);
    // kHold: boxes are recorded but left open, until answerHeld answers them all.
    static constexpr int kHold = -1;
    void answerHeld(int answer);
    // Runs just before a box is answered (e.g. a screenshot of it); on the watcher thread.
    void setBeforeAnswer(void (*hook)(HWND box));
    // Waits until at least count boxes were answered (or, held, seen); false after limitMs.
    // boxes() lists a box from the moment it is clicked: its caller may look at once.
    bool waitForBoxes(size_t count, uint32_t limitMs);
    std::vector<SeenBox> boxes();

    // Open menus are answered by keys on their own thread's queue, as a user would: the
    // n-th selectable entry (0 first) is picked, or kMenuClose closes the menu. Menus are
    // closed unless a test picks, so a menu left open never hangs a test.
    static constexpr int kMenuClose = -1;
    // Menus are recorded and left open, until closeOpenMenus.
    static constexpr int kMenuHold = -2;
    void setMenuAnswer(int pick);
    void closeOpenMenus();
    bool waitForMenus(size_t count, uint32_t limitMs);
    std::vector<SeenMenu> menus();

private:
    static DWORD WINAPI run(void* self);
    void scan();
    void answer(HWND box);
    void answerMenus(const std::vector<HWND>& open);
    // The button id a click with `answer` presses in the box, or 0 for its close.
    static int clickedWith(HWND box, int answer);
    static void click(HWND box, int answer);
    static void pick(HWND menu, int answer);

    std::mutex m_lock;
    std::vector<SeenBox> m_seen;
    size_t m_done = 0;  // boxes answered, or held
    std::vector<SeenMenu> m_menus;
    std::vector<HWND> m_openMenus;  // answered and still shown
    int m_menuAnswer = kMenuClose;
    int m_answer;
    void (*m_beforeAnswer)(HWND) = nullptr;
    volatile bool m_stop = false;
    HANDLE m_thread;
};

// The file's path, or an empty text when the window could not be captured or written.
std::wstring saveScreenshot(HWND window, const wchar_t* name);

struct ProcessCounts {
    uint32_t gdiObjects;   // as the system reports them; Wine 8.0 reports 0
    uint32_t userObjects;
    uint32_t windows;   // top-level and child windows of the process
    uint32_t threads;
    uint32_t handles;
    uint32_t events;  // of the handles, those of events
};
ProcessCounts processCounts();

// Polls a condition every 10 ms; the calling thread must own no windows.
template <class Condition>
bool eventually(Condition condition, uint32_t limitMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limitMs) return condition();
        Sleep(10);
    }
    return true;
}

}  // namespace tests::gui
