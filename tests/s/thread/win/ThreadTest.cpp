// tests/s/thread/win/ThreadTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "s/thread/ITask.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Poll.h"
#include "s/thread/win/Thread.h"

namespace {

using s::thread::win::Thread;
using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double msSince(Clock::time_point from) { return msBetween(from, Clock::now()); }

// A bounded wait for idle, polled more finely than waitIdle: a lost wake-up fails the test
// at once instead of hanging it.
bool becomesIdle(const Thread& worker, uint32_t limitMs = 5000, uint32_t stepMs = 1) {
    return s::thread::win::pollUntil(
        [](const void* w) { return static_cast<const Thread*>(w)->isIdle(); }, &worker, stepMs,
        limitMs);
}

bool reaches(const std::atomic<int>& counter, int value, uint32_t limitMs = 5000) {
    struct Goal { const std::atomic<int>* counter; int value; } goal{&counter, value};
    return s::thread::win::pollUntil(
        [](const void* g) {
            auto* goal = static_cast<const Goal*>(g);
            return goal->counter->load() >= goal->value;
        },
        &goal, 1, limitMs);
}

// Records when each run starts and ends, and can take a while. Only the worker writes the
// times; the test reads them once the worker is idle.
class RecordingTask : public s::thread::ITask {
public:
    static constexpr int kMaxRuns = 16;
    explicit RecordingTask(DWORD runMs = 0) : m_runMs(runMs) {}
    void run() override {
        int i = runs;
        if (i < kMaxRuns) starts[i] = Clock::now();
        priority = GetThreadPriority(GetCurrentThread());
        if (m_runMs) Sleep(m_runMs);
        if (i < kMaxRuns) ends[i] = Clock::now();
        ++runs;
    }
    std::atomic<int> runs{0};
    std::atomic<int> priority{THREAD_PRIORITY_ERROR_RETURN};
    Clock::time_point starts[kMaxRuns];
    Clock::time_point ends[kMaxRuns];

private:
    const DWORD m_runMs;
};

// Holds its run number `blockAt` (0: every run) until the gate opens. It waits in Sleep and
// touches only atomics, so it holds no lock and may safely be terminated.
class GateTask : public s::thread::ITask {
public:
    explicit GateTask(int blockAt = 0) : m_blockAt(blockAt) {}
    void run() override {
        int number = ++entered;
        if (m_blockAt == 0 || number == m_blockAt)
            while (!open) Sleep(1);
        ++left;
    }
    std::atomic<bool> open{false};
    std::atomic<int> entered{0};
    std::atomic<int> left{0};

private:
    const int m_blockAt;
};

// ---- running once, n times and for ever --------------------------------------------------

TEST(Thread, FreshWorkerRunsATaskExactlyOnceThenIsIdle) {
    Thread worker;
    EXPECT_TRUE(worker.isIdle());
    EXPECT_NE(0u, worker.threadId());
    RecordingTask task;
    ASSERT_TRUE(worker.runOnce(&task));
    ASSERT_TRUE(becomesIdle(worker));
    EXPECT_EQ(1, task.runs);
    Sleep(50);
    EXPECT_EQ(1, task.runs);
    worker.waitIdle();  // idle already: returns at once
}

// Gaps are measured between runs 1-2 and 2-3 of three runs.
TEST(Thread, ModesSpaceTheRunsAsScheduled) {
    enum Gap { kEndToStart, kStartToStart };
    struct Row {
        const char* why;
        DWORD taskMs;
        bool (*schedule)(Thread& worker, s::thread::ITask* task);
        Gap gap;
        double atLeastMs, underMs;
    };
    const Row rows[] = {
        {"mode 0: back to back", 20,
         [](Thread& w, s::thread::ITask* t) { return w.runTimes(t, 3); }, kEndToStart, 0, 100},
        // A task of 80 ms keeps the two apart: slept like mode 2, mode 1 would pause 20 ms;
        // slept like mode 1, mode 2 would start runs 180 ms apart.
        {"mode 1: the interval after each run", 80,
         [](Thread& w, s::thread::ITask* t) { return w.runTimesSleeping(t, 3, 100); },
         kEndToStart, 80, 150},
        {"mode 2: a period of 100 ms measured from each start", 80,
         [](Thread& w, s::thread::ITask* t) { return w.runTimesPeriodic(t, 3, 100); },
         kStartToStart, 80, 150},
        {"mode 2: a task longer than its period runs again at once", 120,
         [](Thread& w, s::thread::ITask* t) { return w.runTimesPeriodic(t, 3, 50); },
         kEndToStart, 0, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Thread worker;
        RecordingTask task(row.taskMs);
        ASSERT_TRUE(row.schedule(worker, &task));
        ASSERT_TRUE(becomesIdle(worker));
        ASSERT_EQ(3, task.runs);
        for (int i = 1; i < 3; ++i) {
            double gap = msBetween(row.gap == kEndToStart ? task.ends[i - 1] : task.starts[i - 1],
                                   task.starts[i]);
            EXPECT_GE(gap, row.atLeastMs) << "before run " << i + 1;
            EXPECT_LT(gap, row.underMs) << "before run " << i + 1;
        }
    }
}

TEST(Thread, NoPauseFollowsTheLastRun) {
    struct Row {
        const char* why;
        bool (*schedule)(Thread& worker, s::thread::ITask* task);
    };
    const Row rows[] = {
        {"mode 1", [](Thread& w, s::thread::ITask* t) { return w.runTimesSleeping(t, 2, 600); }},
        {"mode 2", [](Thread& w, s::thread::ITask* t) { return w.runTimesPeriodic(t, 2, 600); }},
        {"a single run of mode 1",
         [](Thread& w, s::thread::ITask* t) { return w.runTimesSleeping(t, 1, 600); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Thread worker;
        RecordingTask task;
        ASSERT_TRUE(row.schedule(worker, &task));
        ASSERT_TRUE(becomesIdle(worker));
        Clock::time_point idleAt = Clock::now();
        int last = task.runs - 1;
        EXPECT_LT(msBetween(task.ends[last], idleAt), 300);  // the pause would be 600 ms
    }
}

// The third run is held at the gate while stop() comes; it completes and nothing follows.
TEST(Thread, RunForeverUntilStopThenTheCurrentRunCompletes) {
    struct Row {
        const char* why;
        bool (*schedule)(Thread& worker, s::thread::ITask* task);
    };
    const Row rows[] = {
        {"mode 0", [](Thread& w, s::thread::ITask* t) { return w.runForever(t); }},
        {"mode 1", [](Thread& w, s::thread::ITask* t) { return w.runForeverSleeping(t, 10); }},
        {"mode 2", [](Thread& w, s::thread::ITask* t) { return w.runForeverPeriodic(t, 30); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Thread worker;
        GateTask task(3);
        ASSERT_TRUE(row.schedule(worker, &task));
        ASSERT_TRUE(reaches(task.entered, 3));
        worker.stop();
        Sleep(50);
        EXPECT_FALSE(worker.isIdle());  // still in run 3
        task.open = true;
        ASSERT_TRUE(becomesIdle(worker));
        EXPECT_EQ(3, task.left);
        Sleep(60);
        EXPECT_EQ(3, task.entered);
    }
}

TEST(Thread, StopAndWaitIdleReturnsWhenTheRunHasCompleted) {
    Thread worker;
    RecordingTask task(30);
    ASSERT_TRUE(worker.runForever(&task));
    ASSERT_TRUE(reaches(task.runs, 2));
    worker.stopAndWaitIdle();
    EXPECT_TRUE(worker.isIdle());
    int runs = task.runs;
    Sleep(60);
    EXPECT_EQ(runs, task.runs);
}

// ---- delay ---------------------------------------------------------------------------

// The first run asks its own worker for a delay: it is slept once, before run 2 only.
TEST(Thread, DelayIsSleptOnceBeforeTheNextRun) {
    class DelayingTask : public RecordingTask {
    public:
        Thread* worker = nullptr;
        void run() override {
            if (runs == 0) worker->setDelay(200);
            RecordingTask::run();
        }
    };
    Thread worker;
    DelayingTask task;
    task.worker = &worker;
    ASSERT_TRUE(worker.runTimes(&task, 3));
    ASSERT_TRUE(becomesIdle(worker));
    ASSERT_EQ(3, task.runs);
    double before2 = msBetween(task.ends[0], task.starts[1]);
    EXPECT_GE(before2, 180);
    EXPECT_LT(before2, 1000);
    EXPECT_LT(msBetween(task.ends[1], task.starts[2]), 100);
}

TEST(Thread, AScheduleClearsAPendingDelay) {
    Thread worker;
    worker.setDelay(3000);
    RecordingTask task;
    Clock::time_point t0 = Clock::now();
    ASSERT_TRUE(worker.runOnce(&task));
    ASSERT_TRUE(becomesIdle(worker));
    EXPECT_EQ(1, task.runs);
    EXPECT_LT(msSince(t0), 1000);
}

// ---- waitOrTerminate ---------------------------------------------------------------------

TEST(Thread, WaitOrTerminateReturnsAtOnceOnAnIdleWorker) {
    Thread worker;
    RecordingTask task;
    ASSERT_TRUE(worker.runOnce(&task));
    ASSERT_TRUE(becomesIdle(worker));
    uint32_t id = worker.threadId();
    Clock::time_point t0 = Clock::now();
    EXPECT_TRUE(worker.waitOrTerminate(0));
    EXPECT_TRUE(worker.waitOrTerminate(5000));
    EXPECT_LT(msSince(t0), 100);
    EXPECT_EQ(id, worker.threadId());
}

TEST(Thread, WaitOrTerminateLetsARunThatEndsInTimeComplete) {
    Thread worker;
    RecordingTask task(60);
    ASSERT_TRUE(worker.runOnce(&task));
    EXPECT_TRUE(worker.waitOrTerminate(3000));
    EXPECT_TRUE(worker.isIdle());
    EXPECT_EQ(1, task.runs);
}

// A held task is abandoned; the fresh thread has the remembered priority and runs the next
// schedule at once.
TEST(Thread, WaitOrTerminateReplacesABusyThreadKeepingItsPriority) {
    struct Row {
        const char* why;
        int32_t limitMs;
        int32_t priority;
        double atLeastMs;
    };
    const Row rows[] = {
        {"no wait, below normal (the dialog's worker)", 0, THREAD_PRIORITY_BELOW_NORMAL, 0},
        {"a wait of 100 ms in 20 ms steps, above normal", 100, THREAD_PRIORITY_ABOVE_NORMAL, 90},
        {"a negative limit does not wait", -50, THREAD_PRIORITY_LOWEST, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Thread worker;
        worker.setPriority(row.priority);
        GateTask held;
        ASSERT_TRUE(worker.runOnce(&held));
        ASSERT_TRUE(reaches(held.entered, 1));
        HANDLE old = OpenThread(SYNCHRONIZE, FALSE, worker.threadId());
        ASSERT_NE(nullptr, old);

        Clock::time_point t0 = Clock::now();
        EXPECT_FALSE(worker.waitOrTerminate(row.limitMs));
        double took = msSince(t0);
        EXPECT_GE(took, row.atLeastMs);
        EXPECT_LT(took, 1000);
        EXPECT_TRUE(worker.isIdle());
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(old, 1000));
        CloseHandle(old);
        EXPECT_NE(0u, worker.threadId());
        EXPECT_EQ(row.priority, worker.getPriority());

        held.open = true;
        Sleep(20);
        EXPECT_EQ(0, held.left);  // abandoned, never resumed

        RecordingTask next;
        t0 = Clock::now();
        ASSERT_TRUE(worker.runOnce(&next));
        ASSERT_TRUE(becomesIdle(worker, 2000));
        EXPECT_LT(msSince(t0), 1000);
        EXPECT_EQ(1, next.runs);
        EXPECT_EQ(row.priority, next.priority);  // as seen on the fresh thread itself
    }
}

// A thread that is slow to go once terminated (the system may finish a termination later)
// does not stretch the wait: termination included, it stays within its limit.
HANDLE startSuspended(LPTHREAD_START_ROUTINE procedure, void* argument, DWORD* id) {
    return CreateThread(nullptr, 0, procedure, argument, CREATE_SUSPENDED, id);
}

BOOL WINAPI terminateInThreeSeconds(HANDLE thread, DWORD code) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, THREAD_TERMINATE, FALSE, 0))
        return FALSE;
    std::thread([copy, code] {
        Sleep(3000);
        TerminateThread(copy, code);
        CloseHandle(copy);
    }).detach();
    return TRUE;
}

TEST(Thread, WaitOrTerminateStaysWithinItsLimitWhenTheThreadIsSlowToGo) {
    Thread worker(&startSuspended, &terminateInThreeSeconds);
    GateTask held;
    ASSERT_TRUE(worker.runOnce(&held));
    ASSERT_TRUE(reaches(held.entered, 1));
    HANDLE old = OpenThread(SYNCHRONIZE, FALSE, worker.threadId());
    ASSERT_NE(nullptr, old);
    Clock::time_point t0 = Clock::now();
    EXPECT_FALSE(worker.waitOrTerminate(1000));
    const double took = msSince(t0);
    EXPECT_GE(took, 850);
    EXPECT_LT(took, 1250);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(old, 5000));  // gone at last
    CloseHandle(old);
    RecordingTask next;
    ASSERT_TRUE(worker.runOnce(&next));
    ASSERT_TRUE(becomesIdle(worker, 2000));
    EXPECT_EQ(1, next.runs);
}

// ---- suspension, quitting and destruction --------------------------------------------------

TEST(Thread, ResumeCopesWithASuspendCountOfTwo) {
    struct Row {
        const char* why;
        bool runFirst;
    };
    const Row rows[] = {
        {"fresh worker: created suspended, then suspended twice more", false},
        {"parked worker suspended twice", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Thread worker;
        RecordingTask task;
        if (row.runFirst) {
            ASSERT_TRUE(worker.runOnce(&task));
            ASSERT_TRUE(becomesIdle(worker));
        }
        worker.suspend();
        worker.suspend();
        int before = task.runs;
        ASSERT_TRUE(worker.runOnce(&task));
        ASSERT_TRUE(becomesIdle(worker, 2000));
        EXPECT_EQ(before + 1, task.runs);
    }
}

// After a quit the thread ends once its current run has completed; the worker then counts as
// idle (waits on it must end) and refuses schedules.
TEST(Thread, QuitEndsTheThreadAfterTheCurrentRun) {
    Thread worker;
    GateTask task;
    ASSERT_TRUE(worker.runForever(&task));
    ASSERT_TRUE(reaches(task.entered, 1));
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, worker.threadId());
    ASSERT_NE(nullptr, thread);
    worker.requestQuit();
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread, 50));
    task.open = true;
    worker.waitEnded();
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 1000));
    CloseHandle(thread);
    EXPECT_EQ(1, task.entered);
    EXPECT_EQ(1, task.left);
    EXPECT_TRUE(worker.isIdle());
    worker.waitIdle();
    RecordingTask next;
    EXPECT_FALSE(worker.runOnce(&next));
    Sleep(20);
    EXPECT_EQ(0, next.runs);
}

TEST(Thread, DestructorEndsAnIdleWorker) {
    struct Row {
        const char* why;
        bool runFirst;
        int extraSuspends;
    };
    const Row rows[] = {
        {"never resumed since its creation", false, 0},
        {"parked after a run", true, 0},
        {"parked and suspended twice", true, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        auto* worker = new Thread;
        RecordingTask task;
        if (row.runFirst) {
            ASSERT_TRUE(worker->runOnce(&task));
            ASSERT_TRUE(becomesIdle(*worker));
        }
        for (int i = 0; i < row.extraSuspends; ++i) worker->suspend();
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, worker->threadId());
        ASSERT_NE(nullptr, thread);
        Clock::time_point t0 = Clock::now();
        delete worker;
        EXPECT_LT(msSince(t0), 2000);
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 1000));
        CloseHandle(thread);
    }
}

// ---- the lost wake-up ----------------------------------------------------------------

// Each schedule comes the moment the worker has marked itself idle, which is when a worker
// that suspends itself after leaving its lock loses the wake-up.
TEST(Thread, TenThousandSchedulesAreNeverLost) {
    constexpr int kCycles = 10000;
    Thread worker;
    RecordingTask task;
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < kCycles; ++i) {
        ASSERT_TRUE(worker.runOnce(&task)) << "cycle " << i;
        ASSERT_TRUE(becomesIdle(worker, 5000, 0)) << "wake-up lost in cycle " << i;
    }
    double took = msSince(t0);
    EXPECT_EQ(kCycles, task.runs);
    std::printf("%d schedule-and-wait cycles in %.0f ms (%.1f us each)\n", kCycles, took,
                took * 1000.0 / kCycles);
}

// ---- creation failure ------------------------------------------------------------------

HANDLE failToStart(LPTHREAD_START_ROUTINE, void*, DWORD*) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

std::atomic<int> g_starts{0};
HANDLE startOnlyOnce(LPTHREAD_START_ROUTINE procedure, void* argument, DWORD* id) {
    if (g_starts++ > 0) return failToStart(procedure, argument, id);
    return CreateThread(nullptr, 0, procedure, argument, CREATE_SUSPENDED, id);
}

// Every operation of a worker without a thread returns at once; schedules report false.
void expectThreadless(Thread& worker) {
    RecordingTask task;
    EXPECT_EQ(0u, worker.threadId());
    EXPECT_TRUE(worker.isIdle());
    EXPECT_FALSE(worker.runOnce(&task));
    EXPECT_FALSE(worker.runTimes(&task, 2));
    EXPECT_FALSE(worker.runTimesSleeping(&task, 2, 10));
    EXPECT_FALSE(worker.runTimesPeriodic(&task, 2, 10));
    EXPECT_FALSE(worker.runForever(&task));
    EXPECT_FALSE(worker.runForeverSleeping(&task, 10));
    EXPECT_FALSE(worker.runForeverPeriodic(&task, 10));
    EXPECT_FALSE(worker.resume());
    EXPECT_TRUE(worker.isIdle());
    Clock::time_point t0 = Clock::now();
    worker.waitIdle();
    worker.stopAndWaitIdle();
    EXPECT_TRUE(worker.waitOrTerminate(1000));
    worker.suspend();
    worker.waitEnded();
    worker.quitAndWait();
    EXPECT_LT(msSince(t0), 100);
    EXPECT_EQ(THREAD_PRIORITY_ERROR_RETURN, worker.getPriority());
    EXPECT_EQ(0, task.runs);
}

TEST(Thread, WithoutAThreadSchedulesFailAndWaitsReturn) {
    Thread worker(&failToStart);
    expectThreadless(worker);
}

TEST(Thread, AReplacementThatCannotBeCreatedLeavesAThreadlessWorker) {
    g_starts = 0;
    Thread worker(&startOnlyOnce);
    worker.setPriority(THREAD_PRIORITY_BELOW_NORMAL);
    GateTask held;
    ASSERT_TRUE(worker.runOnce(&held));
    ASSERT_TRUE(reaches(held.entered, 1));
    EXPECT_FALSE(worker.waitOrTerminate(0));
    expectThreadless(worker);
    held.open = true;
}

// ---- the worker as its own task, bad counts ----------------------------------------------

std::atomic<int> g_functionCalls{0};
void countCall() { ++g_functionCalls; }

TEST(Thread, RunCallsTheStoredFunctionOnlyWhenOneIsSet) {
    g_functionCalls = 0;
    Thread worker;
    worker.run();  // none set: nothing happens
    ASSERT_TRUE(worker.runOnce(&worker));
    ASSERT_TRUE(becomesIdle(worker));
    EXPECT_EQ(0, g_functionCalls);
    worker.setFunction(&countCall);
    ASSERT_TRUE(worker.runTimes(&worker, 2));
    ASSERT_TRUE(becomesIdle(worker));
    EXPECT_EQ(2, g_functionCalls);
}

TEST(Thread, CountsBelowMinusOneAreRefusedAndZeroRunsNothing) {
    Thread worker;
    RecordingTask task;
    EXPECT_FALSE(worker.runTimes(&task, -2));
    EXPECT_FALSE(worker.runTimesSleeping(&task, INT32_MIN, 10));
    EXPECT_FALSE(worker.runTimesPeriodic(&task, -100, 10));
    EXPECT_TRUE(worker.isIdle());
    EXPECT_TRUE(worker.runTimes(&task, 0));
    EXPECT_TRUE(becomesIdle(worker));
    EXPECT_TRUE(worker.runOnce(nullptr));  // a run without a task does nothing
    EXPECT_TRUE(becomesIdle(worker));
    Sleep(20);
    EXPECT_EQ(0, task.runs);
}

// ---- the pool ------------------------------------------------------------------------

using ThreadPool = s::thread::Pool<Thread>;

TEST(ThreadPool, AReleasedWorkerComesBackIdleAndRunsANewTask) {
    Thread* worker = ThreadPool::obtain();
    ASSERT_NE(nullptr, worker);
    EXPECT_STREQ(L"s_thread_win_Thread", worker->classId());
    worker->setPriority(THREAD_PRIORITY_LOWEST);
    worker->setFunction(&countCall);
    RecordingTask first;
    ASSERT_TRUE(worker->runOnce(&first));
    ASSERT_TRUE(becomesIdle(*worker));
    uint32_t id = worker->threadId();
    worker->releaseToPool();

    auto* again = static_cast<Thread*>(worker->newInstance());  // the pool's newest: this one
    ASSERT_EQ(worker, again);
    EXPECT_TRUE(again->isIdle());
    EXPECT_EQ(id, again->threadId());  // the thread survives reuse
    EXPECT_EQ(THREAD_PRIORITY_NORMAL, again->getPriority());
    g_functionCalls = 0;
    again->run();
    EXPECT_EQ(0, g_functionCalls);  // the function was cleared
    RecordingTask second;
    ASSERT_TRUE(again->runOnce(&second));  // suspended by the reset: resume copes
    ASSERT_TRUE(becomesIdle(*again, 2000));
    EXPECT_EQ(1, second.runs);
    EXPECT_EQ(THREAD_PRIORITY_NORMAL, second.priority);
    again->releaseToPool();
}

// The reset of a busy worker waits for its run, outside the pool's lock: meanwhile the pool
// hands out other workers.
TEST(ThreadPool, ReleasingABusyWorkerWaitsForTheRunWithoutHoldingThePool) {
    Thread* worker = ThreadPool::obtain();
    ASSERT_NE(nullptr, worker);
    GateTask held;
    ASSERT_TRUE(worker->runOnce(&held));
    ASSERT_TRUE(reaches(held.entered, 1));

    std::atomic<bool> released{false};
    std::thread releaser([&] {
        worker->releaseToPool();
        released = true;
    });
    Sleep(100);
    EXPECT_FALSE(released);

    std::atomic<Thread*> other{nullptr};
    std::thread obtainer([&] { other = ThreadPool::obtain(); });
    bool obtained = s::thread::win::pollUntil(
        [](const void* o) { return *static_cast<const std::atomic<Thread*>*>(o) != nullptr; },
        &other, 1, 3000);
    EXPECT_TRUE(obtained);
    EXPECT_FALSE(released);

    held.open = true;
    releaser.join();
    obtainer.join();
    EXPECT_TRUE(released);
    EXPECT_EQ(1, held.left);  // the run completed; it was not cut off

    Thread* again = ThreadPool::obtain();
    EXPECT_EQ(worker, again);
    EXPECT_TRUE(again->isIdle());
    RecordingTask next;
    ASSERT_TRUE(again->runOnce(&next));
    ASSERT_TRUE(becomesIdle(*again, 2000));
    EXPECT_EQ(1, next.runs);
    again->releaseToPool();
    if (Thread* o = other) o->releaseToPool();
}

}  // namespace
