// s/gui/win/Wait.cpp
#include "s/gui/win/Wait.h"

namespace s::gui::win {

namespace {

void serveSentMessages() {
    MSG message;
    // PM_QS_SENDMESSAGE: only sent messages are delivered (inside PeekMessage); nothing is
    // removed from the queue.
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Waits up to ms for the handle (or only for sent messages); true when the handle fired.
bool waitStep(HANDLE handle, DWORD ms) {
    DWORD count = handle ? 1 : 0;
    DWORD woke = MsgWaitForMultipleObjects(count, handle ? &handle : nullptr, FALSE, ms,
                                           QS_SENDMESSAGE);
    serveSentMessages();
    return handle && woke == WAIT_OBJECT_0;
}

}  // namespace

bool waitServingSentMessages(WaitCondition condition, const void* context, HANDLE endsWait,
                             uint32_t stepMs, uint32_t limitMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition(context)) return true;
        DWORD elapsed = GetTickCount() - start;
        if (limitMs != kWaitForever && elapsed >= limitMs) return condition(context);
        DWORD step = stepMs;
        if (limitMs != kWaitForever && limitMs - elapsed < step) step = limitMs - elapsed;
        if (waitStep(endsWait, step)) return condition(context);
    }
}

bool waitForHandleServingSentMessages(HANDLE handle, uint32_t limitMs) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        DWORD left = limitMs == kWaitForever ? INFINITE
                     : elapsed >= limitMs    ? 0
                                             : limitMs - elapsed;
        if (waitStep(handle, left)) return true;
        if (WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return true;
        if (left == 0) return false;
    }
}

}  // namespace s::gui::win
