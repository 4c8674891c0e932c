// s/thread/win/Thread.cpp
//
// An idle worker parks on an auto-reset event rather than suspending itself: a worker that
// has marked itself idle and left the lock can be scheduled before it parks, and a resume
// sent then finds nothing suspended and is lost, while a set event stays set until the
// worker waits on it. resume() therefore both sets the event and undoes suspensions (the
// thread starts suspended, and suspend() and the pool's reset suspend it).
#include "s/thread/win/Thread.h"

#include <ctime>

#include "s/thread/Pool.h"
#include "s/thread/win/Poll.h"

namespace s::thread::win {

namespace {

constexpr uint32_t kIdlePollMs = 20;         // waitIdle, waitOrTerminate
constexpr DWORD kEndedPollMs = 100;          // waitEnded
// Of a waiting limit, the part kept for a terminated thread to be gone: the whole wait,
// termination included, stays within the limit.
constexpr uint32_t kTerminationShareMs = 500;
constexpr int32_t kForever = -1;

HANDLE createSuspended(LPTHREAD_START_ROUTINE procedure, void* argument, DWORD* id) {
    return CreateThread(nullptr, 0, procedure, argument, CREATE_SUSPENDED, id);
}

bool workerIsIdle(const void* worker) { return static_cast<const Thread*>(worker)->isIdle(); }

}  // namespace

Thread::Thread() : Thread(&createSuspended) {}

Thread::Thread(StartFunction start, TerminateFunction terminate) : m_start(start), m_terminate(terminate) {
    m_wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Lock lock(m_lock);
    startThread();
}

Thread::~Thread() {
    if (m_handle) {
        quitAndWait();
        CloseHandle(m_handle);
    }
    if (m_wake) CloseHandle(m_wake);
}

// Under m_lock. Leaves the state of construction: nothing planned, idle, not ended; a
// suspended thread with the remembered priority, or none when it (or the event) failed.
void Thread::startThread() {
    m_plan = Plan();
    m_idle = true;
    m_ended = false;
    DWORD id = 0;
    m_handle = m_wake && m_start ? m_start(&Thread::procedure, this, &id) : nullptr;
    m_threadId = m_handle ? id : 0;
    if (m_handle) SetThreadPriority(m_handle, m_priority);
}

// Under m_lock, so the dying thread cannot be the one holding it; at worst it dies queued
// for it, which leaves the section usable (Wine 8.0: 20 terminated waiters, then 4 threads
// x 200,000 entries, all excluded, no hang; checked). The system may finish a termination
// after TerminateThread returns; the wait keeps the old thread off the fresh plan. The old
// thread cannot read the plan before it is gone: the plan is read under m_lock, held here.
void Thread::abandonThread(DWORD waitMs) {
    if (m_terminate) m_terminate(m_handle, 0);
    WaitForSingleObject(m_handle, waitMs);
    CloseHandle(m_handle);
    m_handle = nullptr;
    ResetEvent(m_wake);
}

DWORD WINAPI Thread::procedure(void* self) {
    static_cast<Thread*>(self)->work();
    return 0;
}

// The lock is held only while the plan is read and updated, never during a run or a sleep.
void Thread::work() {
    clock();  // later readings are then relative to a started clock
    m_lock.enter();
    while (!m_plan.quit) {
        bool park = false;
        if (m_plan.delayMs) {
            DWORD delay = m_plan.delayMs;
            m_plan.delayMs = 0;
            m_lock.leave();
            Sleep(delay);
        } else if (m_plan.remaining != 0) {
            if (m_plan.remaining != kForever) --m_plan.remaining;
            Plan run = m_plan;
            m_lock.leave();
            runAndPause(run);
        } else {
            m_idle = true;
            park = true;
            m_lock.leave();
        }
        if (park) WaitForSingleObject(m_wake, INFINITE);
        m_lock.enter();
    }
    m_idle = true;  // an ended worker runs nothing more, so waits for idle end too
    m_lock.leave();
    m_ended = true;  // the last touch of this object: the owner may delete it now
}

// No pause follows the last run of a plan.
void Thread::runAndPause(const Plan& run) {
    unsigned long start = static_cast<unsigned long>(clock());
    if (run.task) run.task->run();
    if (run.mode == Mode::kBackToBack || run.remaining == 0) return;
    if (run.mode == Mode::kSleeping) {
        Sleep(run.intervalMs);
        return;
    }
    unsigned long elapsed = static_cast<unsigned long>(clock()) - start;  // wraps safely
    if (elapsed < run.intervalMs) Sleep(static_cast<DWORD>(run.intervalMs - elapsed));
}

bool Thread::schedule(ITask* task, int32_t runs, Mode mode, uint32_t intervalMs) {
    if (runs < kForever) return false;
    {
        Lock lock(m_lock);
        if (!m_handle || m_plan.quit) return false;
        m_plan.task = task;
        m_plan.remaining = runs;
        m_plan.mode = mode;
        m_plan.intervalMs = intervalMs;
        m_plan.delayMs = 0;
        m_idle = false;
    }
    return resume();
}

bool Thread::runOnce(ITask* task) { return schedule(task, 1, Mode::kBackToBack, 0); }

bool Thread::runTimes(ITask* task, int32_t n) { return schedule(task, n, Mode::kBackToBack, 0); }

bool Thread::runTimesSleeping(ITask* task, int32_t n, uint32_t intervalMs) {
    return schedule(task, n, Mode::kSleeping, intervalMs);
}

bool Thread::runTimesPeriodic(ITask* task, int32_t n, uint32_t periodMs) {
    return schedule(task, n, Mode::kPeriodic, periodMs);
}

bool Thread::runForever(ITask* task) { return schedule(task, kForever, Mode::kBackToBack, 0); }

bool Thread::runForeverSleeping(ITask* task, uint32_t intervalMs) {
    return schedule(task, kForever, Mode::kSleeping, intervalMs);
}

bool Thread::runForeverPeriodic(ITask* task, uint32_t periodMs) {
    return schedule(task, kForever, Mode::kPeriodic, periodMs);
}

void Thread::waitIdle() { pollUntil(&workerIsIdle, this, kIdlePollMs, kPollForever); }

bool Thread::waitOrTerminate(int32_t ms) { return waitOrTerminate(ms, nullptr); }

bool Thread::waitOrTerminate(int32_t ms, ObjLocker* keepOut) {
    const DWORD start = GetTickCount();
    const uint32_t limit = ms > 0 ? static_cast<uint32_t>(ms) : 0;
    const uint32_t share = limit / 10 < kTerminationShareMs ? limit / 10 : kTerminationShareMs;
    if (pollUntil(&workerIsIdle, this, kIdlePollMs, limit - share)) return true;
    if (keepOut) keepOut->enter();
    bool idle;
    {
        Lock lock(m_lock);
        idle = m_idle;  // the run may have ended while the locks were taken
        if (!idle) {
            const DWORD spent = GetTickCount() - start;  // wraps safely
            abandonThread(spent < limit ? limit - spent : 0);
            startThread();
        }
    }
    if (keepOut) keepOut->leave();
    return idle;
}

void Thread::stop() {
    {
        Lock lock(m_lock);
        m_plan.remaining = 0;
    }
    resume();
}

void Thread::stopAndWaitIdle() {
    stop();
    waitIdle();
}

// Waits on a handle of its own, which a replacement of the thread cannot close under it. A
// wait that sees the thread gone ends too: a thread that was terminated (from here or from
// outside) never sets the flag.
void Thread::waitEnded() {
    HANDLE thread = nullptr;
    {
        Lock lock(m_lock);
        if (!m_handle || !DuplicateHandle(GetCurrentProcess(), m_handle, GetCurrentProcess(),
                                          &thread, SYNCHRONIZE, FALSE, 0))
            return;
    }
    while (!m_ended) {
        resume();
        if (WaitForSingleObject(thread, kEndedPollMs) != WAIT_TIMEOUT) break;
    }
    CloseHandle(thread);
}

void Thread::requestQuit() {
    {
        Lock lock(m_lock);
        m_plan.quit = true;
    }
    resume();
}

void Thread::quitAndWait() {
    requestQuit();
    waitEnded();
}

void Thread::setDelay(uint32_t ms) {
    Lock lock(m_lock);
    m_plan.delayMs = ms;
}

// ResumeThread answers the suspend count before the call: at most 1 means the thread runs.
bool Thread::resume() {
    Lock lock(m_lock);
    if (!m_handle) return false;
    SetEvent(m_wake);
    for (;;) {
        DWORD previous = ResumeThread(m_handle);
        if (previous == static_cast<DWORD>(-1)) return false;
        if (previous <= 1) return true;
    }
}

void Thread::suspend() {
    Lock lock(m_lock);
    if (m_handle) SuspendThread(m_handle);
}

int32_t Thread::getPriority() {
    Lock lock(m_lock);
    return m_handle ? GetThreadPriority(m_handle) : THREAD_PRIORITY_ERROR_RETURN;
}

void Thread::setPriority(int32_t priority) {
    Lock lock(m_lock);
    m_priority = priority;
    if (m_handle) SetThreadPriority(m_handle, priority);
}

void Thread::run() {
    if (Function function = m_function) function();
}

s::base::IObject* Thread::newInstance() const { return s::thread::Pool<Thread>::obtain(); }

void Thread::releaseToPool() { s::thread::Pool<Thread>::release(this); }

void Thread::resetForReuse() {
    if (!isIdle()) stopAndWaitIdle();
    setPriority(THREAD_PRIORITY_NORMAL);
    suspend();
    m_idle = true;
    m_function = nullptr;
}

}  // namespace s::thread::win
