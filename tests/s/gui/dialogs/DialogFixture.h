// tests/s/gui/dialogs/DialogFixture.h
//
// What the dialog tests stand on: a private registry key, the screen for the whole test,
// a watchdog, and a box watcher that holds every "#32770" dialog it sees until the test
// drives it and answers; a thread of its own runs the modal call that shows the dialog, as
// a window's UI thread would, while the test plays the user.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/RegistryFixture.h"
#include "support/gui/GuiHarness.h"
#include "support/gui/ScreenLock.h"

namespace tests::gui {

class DialogFixture : public tests::RegistryFixture {
protected:
    void SetUp() override {
        tests::RegistryFixture::SetUp();
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_screen = std::make_unique<ScreenLock>();
        m_watchdog = std::make_unique<Watchdog>(m_name.c_str(), 90000);
        watcher = std::make_unique<ModalWatcher>(ModalWatcher::kHold);
    }
    void TearDown() override {
        watcher.reset();
        m_watchdog.reset();
        m_screen.reset();
        tests::RegistryFixture::TearDown();
    }

    // The n-th dialog seen (0 first), once it is there and its controls are made; null
    // after the limit.
    HWND dialog(size_t n, uint32_t limitMs = 20000) {
        if (!watcher->waitForBoxes(n + 1, limitMs)) return nullptr;
        HWND box = watcher->boxes()[n].box;
        Sleep(300);  // the dialog fills its controls after it is shown
        return box;
    }
    void answer(int button) { watcher->answerHeld(button); }

    std::unique_ptr<ModalWatcher> watcher;

private:
    std::string m_name;
    std::unique_ptr<ScreenLock> m_screen;
    std::unique_ptr<Watchdog> m_watchdog;
};

// Runs a call on a thread of its own; join waits for it (false after the limit).
class CallThread {
public:
    explicit CallThread(std::function<void()> call) : m_call(std::move(call)) {
        m_thread = CreateThread(nullptr, 0, &run, this, 0, nullptr);
    }
    ~CallThread() {
        join(60000);
        CloseHandle(m_thread);
    }
    CallThread(const CallThread&) = delete;
    CallThread& operator=(const CallThread&) = delete;
    bool join(uint32_t limitMs) { return WaitForSingleObject(m_thread, limitMs) == WAIT_OBJECT_0; }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<CallThread*>(self)->m_call();
        return 0;
    }
    std::function<void()> m_call;
    HANDLE m_thread;
};

struct ChildSearch {
    const wchar_t* className;
    const std::wstring* text;
    HWND found;
};

inline BOOL CALLBACK matchChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    wchar_t seen[512] = {};
    if (search->className) GetClassNameW(child, seen, 64);
    else InternalGetWindowText(child, seen, 512);
    if (search->className ? wcscmp(seen, search->className) != 0 : *search->text != seen) return TRUE;
    search->found = child;
    return FALSE;
}

// The first descendant window of that class, or null.
inline HWND findChildOfClass(HWND parent, const wchar_t* className) {
    ChildSearch search = {className, nullptr, nullptr};
    EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether a descendant window shows exactly that text.
inline bool showsText(HWND parent, const std::wstring& text) {
    ChildSearch search = {nullptr, &text, nullptr};
    EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

}  // namespace tests::gui
