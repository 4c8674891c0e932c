// s/thread/win/Poll.cpp
#include "s/thread/win/Poll.h"

#include <windows.h>

namespace s::thread::win {

// The limit is measured on the tick count rather than by adding up steps: a sleep lasts at
// least its step, often more, and a step of 0 lasts almost nothing. Unsigned differences
// stay right across the 49.7-day wrap of the count.
bool pollUntil(PollCondition condition, const void* context, uint32_t stepMs, uint32_t limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition(context)) return true;
        if (limitMs != kPollForever && GetTickCount() - start >= limitMs) return false;
        Sleep(stepMs);
    }
}

}  // namespace s::thread::win
