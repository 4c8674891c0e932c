// s/thread/win/Poll.h
//
// The polling wait of the library, for the places where the design waits by testing a flag
// and sleeping (a worker becoming idle, a run ending). Any thread may call it; the
// condition runs on the caller's thread and should only read atomics.
#pragma once
#include <cstdint>

namespace s::thread::win {

using PollCondition = bool (*)(const void* context);

constexpr uint32_t kPollForever = 0xFFFFFFFF;  // the system's INFINITE

// True as soon as condition(context) holds. Otherwise sleeps stepMs (0: only yields the
// processor) and tests again, until limitMs have passed since the call; then false. The
// last test comes after the limit, so a condition that holds by then still counts.
bool pollUntil(PollCondition condition, const void* context, uint32_t stepMs, uint32_t limitMs);

}  // namespace s::thread::win
