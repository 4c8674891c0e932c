// s/gui/win/UIThread.h
//
// The thread of one top-level Window: it makes the Window's native windows, then runs the
// message loop that serves them until it is stopped. Not pooled; the Window owns it.
#pragma once
#include <atomic>
#include <cstdint>

#include "mfc/CWinThread.h"

namespace s::gui::win {

class Window;

class UIThread final : public mfc::CWinThread {
public:
    // Set before the thread is resumed.
    void setWindow(Window* window) { m_window.store(window); }
    bool isReady() const { return m_ready.load(); }

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Ends the thread and deletes the object. WM_QUIT is posted every 10 ms until a post
    // succeeds, then the thread is given the rest of budgetMs to end; one that has not ended
    // is suspended for good (and its windows are abandoned: see isAbandoned). On the
    // thread itself it only asks the loop to end, and the object goes when the thread does.
    // True when the thread ended.
    static bool stop(UIThread* thread, uint32_t budgetMs);
    // True for the id of a thread that stop had to suspend: its windows never answer, so
    // nobody may send to them.
    static bool isAbandoned(uint32_t threadId);

private:
    std::atomic<Window*> m_window{nullptr};
    std::atomic<bool> m_ready{false};
    bool m_ole = false;
};

constexpr uint32_t kStopBudgetMs = 5000;

}  // namespace s::gui::win
