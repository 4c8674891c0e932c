// s/time/Time.cpp
#include "s/time/Time.h"

#include <windows.h>

namespace s::time {

namespace {
constexpr uint64_t kFileTimeUnitsPerMs = 10000;
constexpr uint64_t kFileTimeUnitsPerSecond = 10000000;
constexpr uint64_t kLargestFileTime = 0x7FFFFFFFFFFFFFFFULL;
}  // namespace

// Both sides are worked in unsigned magnitudes: every FILETIME then converts exactly, and
// nothing overflows.
int64_t fileTimeToMillis(uint64_t fileTime) {
    if (fileTime >= kFileTimeOf1970)
        return static_cast<int64_t>((fileTime - kFileTimeOf1970) / kFileTimeUnitsPerMs);
    return -static_cast<int64_t>((kFileTimeOf1970 - fileTime) / kFileTimeUnitsPerMs);
}

uint64_t secondsToFileTime(int64_t seconds) {
    constexpr uint64_t kSecondsBefore1970 = kFileTimeOf1970 / kFileTimeUnitsPerSecond;
    constexpr uint64_t kSecondsAfter1970 =
        (kLargestFileTime - kFileTimeOf1970) / kFileTimeUnitsPerSecond;
    if (seconds < 0) {
        uint64_t before = 0 - static_cast<uint64_t>(seconds);
        if (before > kSecondsBefore1970) return 0;
        return kFileTimeOf1970 - before * kFileTimeUnitsPerSecond;
    }
    if (static_cast<uint64_t>(seconds) > kSecondsAfter1970) return kLargestFileTime;
    return kFileTimeOf1970 + static_cast<uint64_t>(seconds) * kFileTimeUnitsPerSecond;
}

int64_t currentTimeMillis() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return fileTimeToMillis((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

}  // namespace s::time
