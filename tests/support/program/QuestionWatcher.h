// tests/support/program/QuestionWatcher.h
//
// The program asks its yes/no questions in a top-level window of its own (a toolkit window
// with its own UI thread), not in a system message box, so the box watcher of the GUI tests
// does not see them. This watcher does: a thread that looks every 20 ms for a shown window
// of this process with the given title, notes the texts it shows, saves a screenshot of it,
// ticks its check box when told to, and clicks the chosen button as a user would.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace tests::program {

struct SeenQuestion {
    HWND window;
    std::vector<std::wstring> texts;  // every text it showed, in window order
    std::wstring answer;              // the button clicked, or "close" for the close box
    bool ticked;                      // the check box was ticked first
};

class QuestionWatcher {
public:
    // answer: the caption of the button to click ("Yes", "No"), or "" to close the window;
    // tick: the check box captioned `tickText` is ticked first.
    QuestionWatcher(const wchar_t* title, const wchar_t* answer, const wchar_t* tickText = nullptr);
    ~QuestionWatcher();
    QuestionWatcher(const QuestionWatcher&) = delete;
    QuestionWatcher& operator=(const QuestionWatcher&) = delete;

    void setAnswer(const wchar_t* answer, const wchar_t* tickText = nullptr);
    // The screenshot's file name (under screenshots\) for the next question; "" for none.
    void setScreenshotName(const wchar_t* name);
    std::vector<SeenQuestion> seen();
    // True once count questions were answered, waiting up to limitMs.
    bool waitFor(size_t count, uint32_t limitMs);

private:
    static DWORD WINAPI run(void* self);
    void scan();
    void answer(HWND window);

    std::wstring m_title;
    std::wstring m_answer;
    std::wstring m_tick;
    std::wstring m_screenshot;
    std::mutex m_lock;
    std::vector<SeenQuestion> m_seen;
    HWND m_last = nullptr;  // the window answered last, while it is still shown
    volatile bool m_stop = false;
    HANDLE m_thread;
};

}  // namespace tests::program
