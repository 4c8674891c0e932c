// tests/s/gui/dialogs/QuestionDriver.h
//
// Plays the user at the application's question windows: a thread that finds every shown
// top-level window of this process with the given title and acts on it once (clicks a
// button by its caption, ticks the check box, closes it, presses keys), as a user
// would, through messages that cross threads. What it saw is kept for the test.
#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/gui/GuiHarness.h"

namespace tests::gui {

struct SeenQuestion {
    HWND window;
    RECT rect;
    HWND owner;           // the window it was shown over, when known to the caller
    bool ownerEnabled;    // the owner's state while the question was shown
};

struct ButtonSearch {
    const wchar_t* caption;
    HWND found;
};

inline BOOL CALLBACK matchButton(HWND child, LPARAM p) {
    auto* s = reinterpret_cast<ButtonSearch*>(p);
    wchar_t cls[32] = {}, text[256] = {};
    GetClassNameW(child, cls, 32);
    GetWindowTextW(child, text, 256);
    if (_wcsicmp(cls, L"Button") == 0 && wcscmp(text, s->caption) == 0) {
        s->found = child;
        return FALSE;
    }
    return TRUE;
}

// The child window of class BUTTON whose caption is `caption`; null when none.
inline HWND findButton(HWND top, const wchar_t* caption) {
    ButtonSearch search = {caption, nullptr};
    EnumChildWindows(top, &matchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline bool clickButton(HWND top, const wchar_t* caption) {
    HWND button = findButton(top, caption);
    DWORD_PTR ignored = 0;
    return button && SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

inline void closeWindow(HWND top) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(top, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

// The window that has the keyboard focus on the window's thread.
inline HWND focusOf(HWND top) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Waits until the focus rests on the button captioned `caption`.
inline bool focusReaches(HWND top, const wchar_t* caption) {
    HWND button = findButton(top, caption);
    return button && eventually([&] { return focusOf(top) == button; }, 2000);
}

// A key pressed where the focus is, as the keyboard would deliver it.
inline void pressKey(HWND top, WPARAM key) {
    HWND focus = focusOf(top);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(focus ? focus : top, WM_KEYDOWN, key, 0, SMTO_NORMAL, 5000, &ignored);
}

class QuestionDriver {
public:
    using Act = std::function<void(HWND question)>;
    // owner: the window the questions are expected over (its enabled state is recorded).
    QuestionDriver(std::wstring title, Act act, HWND owner = nullptr)
        : m_title(std::move(title)), m_act(std::move(act)), m_owner(owner),
          m_thread([this] { run(); }) {}
    ~QuestionDriver() {
        m_stop = true;
        m_thread.join();
    }
    QuestionDriver(const QuestionDriver&) = delete;
    QuestionDriver& operator=(const QuestionDriver&) = delete;

    void setAct(Act act) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_act = std::move(act);
    }
    bool waitForQuestions(size_t count, uint32_t limitMs) {
        return eventually([&] { return seen().size() >= count; }, limitMs);
    }
    std::vector<SeenQuestion> seen() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_seen;
    }

private:
    void run() {
        while (!m_stop) {
            forgetClosed();
            HWND question = find();
            if (question) handle(question);
            Sleep(20);
        }
    }
    void handle(HWND question) {
        // The owner is disabled once the question is shown.
        if (m_owner) eventually([&] { return !IsWindowEnabled(m_owner); }, 2000);
        SeenQuestion seen = {question, {}, m_owner, m_owner ? IsWindowEnabled(m_owner) != 0 : false};
        GetWindowRect(question, &seen.rect);
        Act act;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            act = m_act;
            m_handled.push_back(question);
        }
        if (act) act(question);
        std::lock_guard<std::mutex> lock(m_lock);
        m_seen.push_back(seen);
    }
    struct Search {
        QuestionDriver* self;
        HWND found;
    };
    static BOOL CALLBACK match(HWND w, LPARAM p) {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(w)) return TRUE;
        // A window's 0 x 0 owner may be shown under the same title: it is no question.
        RECT r;
        if (!GetWindowRect(w, &r) || r.right - r.left < 10 || r.bottom - r.top < 10) return TRUE;
        wchar_t text[256] = {};
        GetWindowTextW(w, text, 256);
        if (s->self->m_title != text || s->self->handled(w)) return TRUE;
        s->found = w;
        return FALSE;
    }
    HWND find() {
        Search search = {this, nullptr};
        EnumWindows(&match, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // A question's window goes when it is answered; its handle may come back for the next.
    void forgetClosed() {
        std::lock_guard<std::mutex> lock(m_lock);
        std::vector<HWND> open;
        for (HWND h : m_handled)
            if (IsWindow(h)) open.push_back(h);
        m_handled.swap(open);
    }
    bool handled(HWND w) {
        std::lock_guard<std::mutex> lock(m_lock);
        for (HWND h : m_handled)
            if (h == w) return true;
        return false;
    }

    std::wstring m_title;
    std::mutex m_lock;
    Act m_act;
    HWND m_owner;
    std::vector<HWND> m_handled;
    std::vector<SeenQuestion> m_seen;
    volatile bool m_stop = false;
    std::thread m_thread;
};

}  // namespace tests::gui
