// s/gui/win/Wait.h
//
// The toolkit's one way to wait: poll a condition in steps, and between steps serve the
// messages other threads send to the waiting thread's windows (only those: no input and no
// posted message is dispatched, so nothing re-enters the caller). A thread that owns
// windows may then wait for another UI thread that is sending to it without a deadlock.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui::win {

using WaitCondition = bool (*)(const void* context);

// True as soon as condition(context) holds; false when limitMs passed first (kWaitForever:
// no limit) or the handle (may be null) was signalled while the condition did not hold.
bool waitServingSentMessages(WaitCondition condition, const void* context, HANDLE endsWait,
                             uint32_t stepMs, uint32_t limitMs);
// Serves sent messages until the handle is signalled or limitMs passed; true if signalled.
bool waitForHandleServingSentMessages(HANDLE handle, uint32_t limitMs);

constexpr uint32_t kWaitForever = 0xFFFFFFFF;

}  // namespace s::gui::win
