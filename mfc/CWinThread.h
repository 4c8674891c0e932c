// mfc/CWinThread.h
//
// Our own thread object under the framework's name: a thread that runs InitInstance and
// then, when that succeeds, a plain GetMessage loop until WM_QUIT, and ExitInstance. The
// object does not delete itself unless m_bAutoDelete is set; its owner deletes it once the
// thread has ended (or was suspended for good), which closes the handle.
#pragma once
#include <windows.h>

#include <new>

namespace mfc {

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // Set only by a thread that cannot wait for itself: the object is deleted when the
    // thread's procedure ends.
    volatile bool m_bAutoDelete = false;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }

    // A new T on a thread of its own; null when the object or the thread cannot be made.
    // flags: 0 or CREATE_SUSPENDED.
    template <class T>
    static T* beginThread(int priority = THREAD_PRIORITY_NORMAL, unsigned stackSize = 0,
                          DWORD flags = 0) {
        T* thread = new (std::nothrow) T();
        if (thread && !thread->start(priority, stackSize, flags)) {
            delete thread;
            thread = nullptr;
        }
        return thread;
    }

private:
    bool start(int priority, unsigned stackSize, DWORD flags);
    static unsigned __stdcall threadMain(void* self);
};

}  // namespace mfc
