// s/system/network/UpdateRule.h
//
// The pure rules of the update check, apart from every system call so that tables test
// them: when to ask the maker's server (at most once every 720 hours, only for a release
// version, only online) and whether its reply offers a newer version. No state, no lock.
#pragma once
#include <cstdint>

namespace s::system::network {

class UpdateRule {
public:
    enum class Step {
        kNothing,      // no request, the stamp stays
        kStampOnly,    // no request, the current hour becomes the stamp
        kAskOnline,    // due: the online test decides (decide again with its answer)
        kRequest,      // ask the server, then write the stamp whatever the result
    };
    static constexpr int32_t kHoursBetweenChecks = 720;
    static constexpr uint32_t kShortestReply = 5;  // a reply of 4 characters offers nothing

    // enabled: the gate text exists; stamp: the hour of the last check (0: none recorded).
    // online: 0 not asked yet, 1 online, -1 offline.
    static Step decide(bool enabled, int32_t stamp, int32_t nowHours, const wchar_t* version,
                       int online);
    // A release version has exactly two characters after its '.'; no '.' is irregular.
    static bool isReleaseVersion(const wchar_t* version);
    // The current hour: milliseconds since 1970 / 1000 / 3600.
    static int32_t hoursOf(int64_t millis);
    // done and reply longer than 4, beginning with '*', and not containing the version.
    static bool offersUpdate(bool done, const wchar_t* reply, uint32_t length,
                             const wchar_t* version);
};

}  // namespace s::system::network
