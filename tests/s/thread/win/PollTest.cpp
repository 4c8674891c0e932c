// tests/s/thread/win/PollTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>

#include "s/thread/win/Poll.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts its calls; holds from call number `holdsAt` on (0: never).
struct Probe {
    int holdsAt;
    mutable int calls = 0;
};
bool probeHolds(const void* p) {
    auto* probe = static_cast<const Probe*>(p);
    return ++probe->calls == probe->holdsAt || (probe->holdsAt && probe->calls > probe->holdsAt);
}

TEST(Poll, TestsFirstAndSleepsOnlyWhileTheConditionFails) {
    struct Row {
        const char* why;
        int holdsAt;
        uint32_t stepMs, limitMs;
        bool result;
        int calls;  // -1: as many as the sleeps took
        double atLeastMs, underMs;
    };
    const Row rows[] = {
        {"holds at once: no sleep", 1, 1000, 5000, true, 1, 0, 500},
        {"a limit of 0 tests once", 0, 1000, 0, false, 1, 0, 500},
        // The limit is read on the tick count, which is coarser than the test's clock.
        {"a limit of 50 ms in steps of 20: sleeps until it has passed",
         0, 20, 50, false, -1, 40, 500},
        {"holds on the third test", 3, 10, 5000, true, 3, 15, 500},
        {"steps of 0 only yield, and the limit still ends the wait", 0, 0, 50, false, -1, 40, 500},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Probe probe{row.holdsAt};
        Clock::time_point t0 = Clock::now();
        bool result = s::thread::win::pollUntil(&probeHolds, &probe, row.stepMs, row.limitMs);
        EXPECT_EQ(row.result, result);
        double took = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (row.calls >= 0) {
            EXPECT_EQ(row.calls, probe.calls);
        }
        EXPECT_GE(took, row.atLeastMs);
        EXPECT_LT(took, row.underMs);
    }
}

}  // namespace
