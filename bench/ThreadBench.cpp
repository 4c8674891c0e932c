// bench/ThreadBench.cpp
//
// What a pooled worker saves: n tiny tasks run one after another, each scheduled on one
// reused worker and waited for (by a yielding poll of isIdle, as waitIdle's 20 ms steps
// would measure only the step), beside the same tasks each run on a system thread of its
// own (create, wait, close). Prints both per task. Not part of the product.
#include <windows.h>

#include <cstdio>

#include "s/thread/ITask.h"
#include "s/thread/win/Poll.h"
#include "s/thread/win/Thread.h"

namespace {

constexpr int kTasks = 5000;

volatile LONG g_runs = 0;

class Tiny : public s::thread::ITask {
public:
    void run() override { InterlockedIncrement(&g_runs); }
};

DWORD WINAPI tinyThread(void*) {
    InterlockedIncrement(&g_runs);
    return 0;
}

bool workerIdle(const void* w) { return static_cast<const s::thread::win::Thread*>(w)->isIdle(); }

double elapsedUs(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1e6 / frequency.QuadPart;
}

double pooledWorker() {
    s::thread::win::Thread worker;
    Tiny task;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kTasks; ++i) {
        if (!worker.runOnce(&task) ||
            !s::thread::win::pollUntil(&workerIdle, &worker, 0, 5000))
            return -1;
    }
    QueryPerformanceCounter(&t1);
    return elapsedUs(t0, t1);
}

double threadPerTask() {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kTasks; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, tinyThread, nullptr, 0, nullptr);
        if (!thread) return -1;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    QueryPerformanceCounter(&t1);
    return elapsedUs(t0, t1);
}

}  // namespace

int wmain() {
    double reference = threadPerTask();
    double pooled = pooledWorker();
    if (reference < 0 || pooled < 0) {
        std::printf("failed (runs %ld)\n", g_runs);
        return 1;
    }
    std::printf("%d tasks, run %ld times\n", kTasks, g_runs);
    std::printf("  a system thread per task (reference): %8.1f us a task\n", reference / kTasks);
    std::printf("  one pooled worker, schedule and wait: %8.1f us a task\n", pooled / kTasks);
    return 0;
}
