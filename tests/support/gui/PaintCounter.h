// tests/support/gui/PaintCounter.h
//
// Counts the WM_PAINT messages that the windows of one UI thread handle, whether sent to
// them (RedrawWindow with RDW_UPDATENOW, UpdateWindow) or taken from the thread's queue,
// through hooks on that thread: a window that paints itself again and again shows as a
// count that keeps growing. One counter at a time in a process.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>

namespace tests::gui {

class PaintCounter {
public:
    explicit PaintCounter(DWORD threadId) {
        std::lock_guard<std::mutex> lock(guard());
        m_sent = SetWindowsHookExW(WH_CALLWNDPROC, &onSent, nullptr, threadId);
        m_taken = SetWindowsHookExW(WH_GETMESSAGE, &onTaken, nullptr, threadId);
        counts().clear();
    }
    ~PaintCounter() {
        if (m_sent) UnhookWindowsHookEx(m_sent);
        if (m_taken) UnhookWindowsHookEx(m_taken);
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    bool ok() const { return m_sent && m_taken; }
    void reset() {
        std::lock_guard<std::mutex> lock(guard());
        counts().clear();
    }
    std::map<HWND, uint32_t> paints() const {
        std::lock_guard<std::mutex> lock(guard());
        return counts();
    }

private:
    static std::mutex& guard() {
        static std::mutex lock;
        return lock;
    }
    static std::map<HWND, uint32_t>& counts() {
        static std::map<HWND, uint32_t> seen;
        return seen;
    }
    static void count(HWND window) {
        std::lock_guard<std::mutex> lock(guard());
        ++counts()[window];
    }
    static LRESULT CALLBACK onSent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_PAINT) count(message->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK onTaken(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_PAINT) count(message->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK m_sent = nullptr;
    HHOOK m_taken = nullptr;
};

}  // namespace tests::gui
