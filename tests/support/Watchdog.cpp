// tests/support/Watchdog.cpp
#include "support/Watchdog.h"

#include <cstdio>

namespace tests {

Watchdog::Watchdog(const char* place, DWORD seconds) : m_place(place), m_seconds(seconds) {
    m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_done) m_thread = CreateThread(nullptr, 0, &Watchdog::watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    if (m_done) SetEvent(m_done);
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    if (m_done) CloseHandle(m_done);
}

DWORD WINAPI Watchdog::watch(void* self) {
    auto* dog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(dog->m_done, dog->m_seconds * 1000) == WAIT_OBJECT_0) return 0;
    std::fprintf(stderr, "watchdog: %s hung for %lu s in phase \"%s\"\n", dog->m_place, dog->m_seconds,
                 dog->m_phase);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 4);
    return 0;
}

}  // namespace tests
