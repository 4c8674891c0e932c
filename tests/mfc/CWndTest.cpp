// tests/mfc/CWndTest.cpp
#include "mfc/CWnd.h"

#include <vector>

#include <gmock/gmock.h>

#include "mfc/CWinThread.h"

namespace mfc {
namespace {

// Records the messages it sees, from the very first one.
class Recording final : public CWnd {
public:
    std::vector<UINT> messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_NCCREATE) sawHandleAtCreation = m_hWnd != nullptr;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool sawHandleAtCreation = false;
};

TEST(CWnd, CreationBindsBeforeTheFirstMessageAndDestructionUnbinds) {
    Recording window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"bound", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    ASSERT_FALSE(window.messages.empty());
    EXPECT_TRUE(window.sawHandleAtCreation);
    EXPECT_THAT(window.messages, testing::Contains(UINT(WM_NCCREATE)));
    EXPECT_THAT(window.messages, testing::Contains(UINT(WM_CREATE)));
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
    wchar_t text[16] = {};
    GetWindowTextW(window.m_hWnd, text, 16);  // the control's own procedure still answers
    EXPECT_STREQ(text, L"bound");
    HWND handle = window.m_hWnd;
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(window.messages.back(), UINT(WM_NCDESTROY));
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

TEST(CWnd, SubclassedWindowReachesTheObjectUntilDetached) {
    HWND handle = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(handle, nullptr);
    Recording window;
    ASSERT_TRUE(window.SubclassWindow(handle));
    Recording second;
    EXPECT_FALSE(second.SubclassWindow(handle));  // one object per window
    SendMessageW(handle, WM_USER + 9, 0, 0);
    EXPECT_EQ(window.messages.back(), UINT(WM_USER + 9));
    size_t seen = window.messages.size();
    EXPECT_EQ(window.Detach(), handle);
    SendMessageW(handle, WM_USER + 9, 0, 0);
    EXPECT_EQ(window.messages.size(), seen);
    SetWindowTextW(handle, L"still works");
    wchar_t text[16] = {};
    GetWindowTextW(handle, text, 16);
    EXPECT_STREQ(text, L"still works");
    DestroyWindow(handle);
}

TEST(CWnd, StyleChangesReportWhetherAnythingChanged) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    EXPECT_TRUE(window.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
    EXPECT_TRUE(window.GetStyle() & WS_BORDER);
    EXPECT_FALSE(window.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(window.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(GetWindowLongW(window.m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    window.DestroyWindow();
}

HWND WINAPI refuseAll(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                      LPVOID) {
    return nullptr;
}

TEST(CWnd, CreationSeamCanRefuseAndIsRestored) {
    CWnd::CreateWindowFunction previous = CWnd::setCreateWindowFunction(&refuseAll);
    CWnd window;
    EXPECT_FALSE(window.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::setCreateWindowFunction(previous), &refuseAll);
    EXPECT_TRUE(window.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    window.DestroyWindow();
}

// A thread that counts its messages until WM_QUIT and exits with the count.
class CountingThread final : public CWinThread {
public:
    BOOL InitInstance() override {
        ranOn = GetCurrentThreadId();
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists from here on
        ready = true;
        return TRUE;
    }
    int Run() override {
        MSG m;
        int count = 0;
        while (GetMessageW(&m, nullptr, 0, 0) > 0) ++count;
        return ExitInstance() + count;
    }
    int ExitInstance() override { return 100; }
    volatile bool ready = false;
    DWORD ranOn = 0;
};

TEST(CWinThread, TypedStartRunsTheLoopUntilQuitAndKeepsTheObject) {
    CountingThread* thread = CWinThread::beginThread<CountingThread>();
    ASSERT_NE(thread, nullptr);
    while (!thread->ready) Sleep(1);
    EXPECT_EQ(thread->ranOn, thread->m_nThreadID);
    EXPECT_NE(thread->ranOn, GetCurrentThreadId());
    EXPECT_TRUE(thread->PostThreadMessage(WM_USER, 0, 0));
    EXPECT_TRUE(thread->PostThreadMessage(WM_USER, 0, 0));
    EXPECT_TRUE(thread->PostThreadMessage(WM_QUIT, 0, 0));
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 10000), DWORD(WAIT_OBJECT_0));
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 102u);
    delete thread;  // not deleted by the thread: the owner does it
}

TEST(CWinThread, FailedInitialisationSkipsTheLoop) {
    struct Failing final : CWinThread {
        BOOL InitInstance() override { return FALSE; }
        int Run() override { return 1; }
        int ExitInstance() override { return 7; }
    };
    Failing* thread = CWinThread::beginThread<Failing>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 50), DWORD(WAIT_TIMEOUT));  // suspended
    thread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 10000), DWORD(WAIT_OBJECT_0));
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 7u);
    delete thread;
}

}  // namespace
}  // namespace mfc
