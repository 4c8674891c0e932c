// tests/support/Watchdog.h
//
// A hang is a failing test with a place: while a Watchdog lives, a thread waits for it,
// and when the time runs out it prints the place and the last phase set and ends the
// process with exit code 4 (ctest then counts the test as failed).
#pragma once
#include <windows.h>

namespace tests {

class Watchdog {
public:
    Watchdog(const char* place, DWORD seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    // What the test is doing now (a constant string).
    void phase(const char* text) { m_phase = text; }

private:
    static DWORD WINAPI watch(void* self);

    const char* m_place;
    const char* volatile m_phase = "start";
    DWORD m_seconds;
    HANDLE m_done = nullptr;
    HANDLE m_thread = nullptr;
};

}  // namespace tests
