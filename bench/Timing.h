// bench/Timing.h
//
// What the benchmarks time with: the performance counter in seconds, one timed run of a
// piece of work, the best of three runs, and a sink that keeps the optimiser from dropping
// work whose result is otherwise unused. Single-threaded use.
#pragma once
#include <windows.h>

#include <cstdint>

namespace bench {

inline double seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class F>
double timeIt(F work) {
    const double start = seconds();
    work();
    return seconds() - start;
}

// The shortest of three timed runs: the figure least disturbed by the rest of the machine.
template <class F>
double bestOfThree(F work) {
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        const double took = timeIt(work);
        if (took < best) best = took;
    }
    return best;
}

inline volatile uintptr_t g_sink;

}  // namespace bench
