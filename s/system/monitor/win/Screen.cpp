// s/system/monitor/win/Screen.cpp
#include "s/system/monitor/win/Screen.h"

#include <windows.h>

#include <atomic>

namespace s::system::monitor::win {

namespace {

constexpr int32_t kUnknown = -1;

std::atomic<int32_t> s_is8K{kUnknown};
std::atomic<int32_t> s_is4K{kUnknown};
std::atomic<int32_t> s_scale{kUnknown};

int32_t screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// A racing first call on two threads computes the same value twice: harmless.
int32_t cached(std::atomic<int32_t>& slot, int32_t (*compute)()) {
    int32_t value = slot.load(std::memory_order_acquire);
    if (value == kUnknown) {
        value = compute();
        slot.store(value, std::memory_order_release);
    }
    return value;
}

int32_t scaleOf(bool is8K, bool is4K) { return is8K ? 4 : (is4K ? 2 : 1); }

}  // namespace

bool isScreen8KSize(int32_t width, int32_t height) { return width >= 4097 && height >= 3240; }

bool isScreen4KSize(int32_t width, int32_t height) { return width >= 1921 && height >= 1620; }

int32_t scaleFactorFor(int32_t width, int32_t height) {
    return scaleOf(isScreen8KSize(width, height), isScreen4KSize(width, height));
}

bool isScreen8K() {
    return cached(s_is8K, [] { return int32_t{isScreen8KSize(screenWidth(), screenHeight())}; }) != 0;
}

bool isScreen4K() {
    return cached(s_is4K, [] { return int32_t{isScreen4KSize(screenWidth(), screenHeight())}; }) != 0;
}

int32_t uiScaleFactor() {
    return cached(s_scale, [] { return scaleOf(isScreen8K(), isScreen4K()); });
}

}  // namespace s::system::monitor::win
