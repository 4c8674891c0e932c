// s/system/network/UpdateRule.cpp
#include "s/system/network/UpdateRule.h"

#include <wchar.h>

namespace s::system::network {

UpdateRule::Step UpdateRule::decide(bool enabled, int32_t stamp, int32_t nowHours,
                                    const wchar_t* version, int online) {
    if (!enabled) return Step::kNothing;
    // The first start records the hour without any request: nothing to compare with yet.
    if (stamp == 0) return Step::kStampOnly;
    if (static_cast<int64_t>(nowHours) < static_cast<int64_t>(stamp) + kHoursBetweenChecks) {
        return Step::kNothing;
    }
    if (!isReleaseVersion(version)) return Step::kNothing;
    // Offline leaves the stamp, so the next start tries again.
    if (online == 0) return Step::kAskOnline;
    return online > 0 ? Step::kRequest : Step::kNothing;
}

bool UpdateRule::isReleaseVersion(const wchar_t* version) {
    if (!version) return false;
    const wchar_t* dot = wcschr(version, L'.');
    return dot && wcslen(dot) == 3;
}

int32_t UpdateRule::hoursOf(int64_t millis) { return static_cast<int32_t>(millis / 1000 / 3600); }

bool UpdateRule::offersUpdate(bool done, const wchar_t* reply, uint32_t length,
                              const wchar_t* version) {
    if (!done || !reply || length < kShortestReply || reply[0] != L'*') return false;
    if (!version || !version[0]) return false;
    const size_t n = wcslen(version);
    for (uint32_t i = 0; i + n <= length; ++i) {
        if (wmemcmp(reply + i, version, n) == 0) return false;
    }
    return true;
}

}  // namespace s::system::network
