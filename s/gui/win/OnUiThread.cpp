// s/gui/win/OnUiThread.cpp
#include "s/gui/win/OnUiThread.h"

#include "s/gui/win/Messages.h"

namespace s::gui::win {

// A Window answers its message with 1 once the function ran; any other window with 0.
bool sendToUiThread(HWND window, void (*function)(void*), void* argument, uint32_t limitMs) {
    if (!window || !function) return false;
    const auto call = reinterpret_cast<WPARAM>(function);
    const auto with = reinterpret_cast<LPARAM>(argument);
    if (limitMs == kWaitForever) return ::SendMessageW(window, kRunOnUiThread, call, with) == 1;
    DWORD_PTR answer = 0;
    return limitMs > 0 && SendMessageTimeoutW(window, kRunOnUiThread, call, with, SMTO_NORMAL, limitMs, &answer) != 0 &&
           answer == 1;
}

}  // namespace s::gui::win
