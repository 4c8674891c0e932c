// s/gui/win/OnUiThread.h
//
// The one crossing onto a window's UI thread: f() runs there, at once when the caller is
// on that thread, else through the window's own message (kRunOnUiThread), and the caller
// waits for it at most limitMs (kWaitForever: until it ran), serving the messages sent to
// it meanwhile. True when f ran; false when the window has no handle, the handle is not a
// top-level Window's, or the limit passed first. Past the limit the UI thread may still be
// inside f, so a callable that touches the caller's locals is given kWaitForever, or a
// limit only a stuck thread misses.
#pragma once
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "s/gui/IWindow.h"
#include "s/gui/win/Wait.h"

namespace s::gui::win {

// The message itself, for a caller that holds only the window's handle (a test that found
// it among the top-level windows, whose object may be gone by now).
bool sendToUiThread(HWND window, void (*function)(void*), void* argument, uint32_t limitMs);

// The callable travels as its address; the UI thread calls it through its own type.
template <class F>
bool onUiThread(s::gui::IWindow& window, F&& f, uint32_t limitMs) {
    auto call = [](void* callable) { (*static_cast<std::remove_reference_t<F>*>(callable))(); };
    return window.runOnUiThread(call, const_cast<void*>(static_cast<const void*>(&f)), limitMs);
}

template <class F>
bool onUiThread(HWND window, F&& f, uint32_t limitMs) {
    auto call = [](void* callable) { (*static_cast<std::remove_reference_t<F>*>(callable))(); };
    return sendToUiThread(window, call, const_cast<void*>(static_cast<const void*>(&f)), limitMs);
}

}  // namespace s::gui::win
