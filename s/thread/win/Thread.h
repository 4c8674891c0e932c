// s/thread/win/Thread.h
//
// The worker thread of the library (see IThread): one system thread, created suspended,
// that runs what is scheduled and then parks until the next schedule. Pooled: a released
// worker is stopped and kept with its thread. The worker does not own its tasks. Any thread
// may call it (not its own task); the owner alone destroys it. A worker whose thread could
// not be created stays idle and refuses schedules (false).
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/IThread.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win {

class Thread : public s::thread::IThread,
               public virtual s::thread::IPoolable,
               public s::thread::ITask {
public:
    // Makes the system thread, suspended, running procedure(argument), and stores its id;
    // null on failure. The default uses CreateThread; tests pass one that fails.
    using StartFunction = HANDLE (*)(LPTHREAD_START_ROUTINE procedure, void* argument, DWORD* id);

    // Ends a thread forcibly; tests pass one that takes its time.
    using TerminateFunction = BOOL(WINAPI*)(HANDLE thread, DWORD exitCode);

    Thread();
    explicit Thread(StartFunction start, TerminateFunction terminate = &TerminateThread);
    ~Thread() override;  // quitAndWait: a busy worker's current run completes first
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // IThread
    uint32_t threadId() const override { return m_threadId; }
    bool runOnce(ITask* task) override;
    bool runTimes(ITask* task, int32_t n) override;
    bool runTimesSleeping(ITask* task, int32_t n, uint32_t intervalMs) override;
    bool runTimesPeriodic(ITask* task, int32_t n, uint32_t periodMs) override;
    bool runForever(ITask* task) override;
    bool runForeverSleeping(ITask* task, uint32_t intervalMs) override;
    bool runForeverPeriodic(ITask* task, uint32_t periodMs) override;
    bool isIdle() const override { return m_idle; }
    void waitIdle() override;
    bool waitOrTerminate(int32_t ms) override;
    // The same, with `keepOut` held while the thread is ended, so that it cannot die inside
    // the section that the task enters (the caller's use of it afterwards cannot hang).
    bool waitOrTerminate(int32_t ms, ObjLocker* keepOut);
    void stop() override;
    void stopAndWaitIdle() override;
    void waitEnded() override;
    void requestQuit() override;
    void quitAndWait() override;
    void setDelay(uint32_t ms) override;
    bool resume() override;
    void suspend() override;
    int32_t getPriority() override;  // THREAD_PRIORITY_ERROR_RETURN without a thread
    void setPriority(int32_t priority) override;
    void setFunction(Function function) override { m_function = function; }

    // ITask: calls the stored function, if any
    void run() override;

    // IObject
    const wchar_t* classId() const override { return L"s_thread_win_Thread"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    enum class Mode { kBackToBack, kSleeping, kPeriodic };

    // What the thread procedure reads and updates under m_lock.
    struct Plan {
        ITask* task = nullptr;
        int32_t remaining = 0;  // -1: without end
        Mode mode = Mode::kBackToBack;
        uint32_t intervalMs = 0;
        uint32_t delayMs = 0;
        bool quit = false;
    };

    static DWORD WINAPI procedure(void* self);
    void work();
    static void runAndPause(const Plan& run);
    bool schedule(ITask* task, int32_t runs, Mode mode, uint32_t intervalMs);
    void startThread();
    void abandonThread(DWORD waitMs);

    const StartFunction m_start;
    const TerminateFunction m_terminate;
    ObjLocker m_lock;         // guards m_plan and m_handle
    HANDLE m_handle = nullptr;
    HANDLE m_wake = nullptr;  // auto-reset: keeps a wake that comes before the worker parks
    Plan m_plan;
    std::atomic<uint32_t> m_threadId{0};
    std::atomic<bool> m_idle{true};
    std::atomic<bool> m_ended{false};
    int32_t m_priority = 0;   // the last value given to setPriority
    std::atomic<Function> m_function{nullptr};
};

}  // namespace s::thread::win
