// s/gui/win/WindowTimers.h
//
// Every timer id a top-level Window sets on its own handle, in one place so that the
// parts that share the handle never take the same id. The user's timer n is
// kUserTimerBase + n.
#pragma once
#include <windows.h>

namespace s::gui::win {

enum WindowTimer : UINT_PTR {
    // The fade of the hover effect: lowers the alpha, counts down while the cursor is
    // away, raises it again.
    kFadeOutTimer = 3,
    kFadeWaitTimer = 1,
    kFadeInTimer = 2,
    // The shrink of the hover effect: shrinks, waits for the cursor to leave, grows back.
    kShrinkStepTimer = 6,
    kShrinkWaitTimer = 4,
    kShrinkGrowTimer = 5,
    // While following the cursor the window steps towards it on this one.
    kCursorFollowTimer = 100,
    kUserTimerBase = 10000,
};

}  // namespace s::gui::win
