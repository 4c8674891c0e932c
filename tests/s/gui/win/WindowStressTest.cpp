// tests/s/gui/win/WindowStressTest.cpp
//
// Many windows at once, each on its own UI thread, made and released again and again:
// afterwards the process holds exactly the windows, threads, handles and GDI and USER
// objects it held before.
#include <atomic>
#include <cstdio>

#include <gmock/gmock.h>

#include "s/gui/win/Window.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/TestPanel.h"

namespace s::gui::win {
namespace {

using tests::gui::phase;
using tests::gui::ProcessCounts;
using tests::gui::processCounts;

constexpr int kParallel = 10;
constexpr int kRounds = 30;  // 300 windows in all

std::atomic<int> g_failures{0};
std::atomic<int> g_events{0};

class Counter final : public s::gui::events::IEventListener {
public:
    void onEvent(void*, int32_t) override { ++g_events; }
};

// One window's whole life on a worker: made, given a child, shown, sent an event, moved,
// closed and released.
void oneWindowLife(int round, int slot) {
    static Counter counter;
    Window* window = s::thread::Pool<Window, 0>::obtain();
    if (!window || !window->getHandle()) {
        ++g_failures;
        if (window) window->releaseToPool();
        return;
    }
    window->addUserEventListener(&counter);
    window->addChild(s::thread::Pool<tests::gui::TestPanel>::obtain());
    window->setBounds(20 + slot * 60, 20 + round % 7 * 40, 200, 120);
    window->show(true, false);
    if (window->sendUserEvent(L"tick", round, slot, nullptr) != 0) ++g_failures;
    window->postUserEvent(L"posted", round, slot, L"left in the queue maybe");
    window->setPosition(40 + slot * 60, 30);
    window->close();
    if (!window->isClosed()) ++g_failures;
    window->releaseToPool();
}

std::atomic<int> g_rounds{0};

DWORD WINAPI worker(void* slotPointer) {
    int slot = static_cast<int>(reinterpret_cast<INT_PTR>(slotPointer));
    for (int round = 0; round < g_rounds.load(); ++round) oneWindowLife(round, slot);
    return 0;
}

void runInParallel(int rounds) {
    g_rounds = rounds;
    HANDLE threads[kParallel];
    for (int i = 0; i < kParallel; ++i)
        threads[i] = CreateThread(nullptr, 0, &worker, reinterpret_cast<void*>(INT_PTR(i)), 0, nullptr);
    WaitForMultipleObjects(kParallel, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
}

class WindowStressTest : public tests::gui::GuiTest {
protected:
    uint32_t limitMs() const override { return 100000; }
};

TEST_F(WindowStressTest, TenWindowsInParallelLeaveNoObjectBehind) {
    // One parallel round first: the class, OLE and the pools are made once for the process,
    // and Wine starts a service thread of its own the first time windows come in parallel.
    phase("warm-up");
    runInParallel(1);
    Sleep(200);
    ProcessCounts before = processCounts();
    phase("the counts see a window");
    {
        Window* window = s::thread::Pool<Window, 0>::obtain();
        window->addChild(s::thread::Pool<tests::gui::TestPanel>::obtain());
        ProcessCounts during = processCounts();
        // Visible, hidden owner, child, and OLE's own window of the thread.
        EXPECT_GE(during.windows, before.windows + 3);
        EXPECT_EQ(during.threads, before.threads + 1);
        EXPECT_GT(during.handles, before.handles);  // at least the thread's
        window->releaseToPool();
    }
    phase("parallel windows");
    DWORD start = GetTickCount();
    runInParallel(kRounds);
    DWORD took = GetTickCount() - start;
    Sleep(200);
    ProcessCounts mid = processCounts();
    phase("parallel windows again");
    runInParallel(kRounds);
    Sleep(200);
    ProcessCounts after = processCounts();
    std::printf("%d windows on %d threads in %lu ms; before/after: GDI %u/%u, USER %u/%u, "
                "windows %u/%u, threads %u/%u, handles %u/%u/%u, of them events %u/%u/%u\n",
                kParallel * kRounds, kParallel, took, before.gdiObjects, after.gdiObjects,
                before.userObjects, after.userObjects, before.windows, after.windows,
                before.threads, after.threads, before.handles, mid.handles, after.handles,
                before.events, mid.events, after.events);
    EXPECT_EQ(g_failures.load(), 0);
    EXPECT_GE(g_events.load(), kParallel * (2 * kRounds + 1));
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.userObjects, before.userObjects);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.threads, before.threads);
    // A window that leaked a handle would leave hundreds per batch, in each batch. On a loaded
    // machine the first batch of ten threads now and then leaves a few handles that stay for
    // the rest of the process and never grow again (45 before, 51 after both batches: made
    // once when that many threads first run together, not by the windows; Wine 8.0). Those
    // seen were events: the C++ run-time makes the wait event of a std::mutex when two
    // threads first meet on it and keeps it with the mutex (winpthreads, checked), and the
    // process-wide locks of the class registration, the working-set trim and the run-time's
    // own thread list are seldom met. So the second batch must leave what the first left
    // (one more, a lock first met then), and the first only a few more than before.
    EXPECT_LE(mid.handles, before.handles + 8);
    EXPECT_LE(after.handles, mid.handles + 1);
}

}  // namespace
}  // namespace s::gui::win
