// s/system/win/OsVersion.h
//
// The Windows version of the machine, probed once per process: RtlGetVersion (looked up in
// ntdll at run time, since GetVersionExW lies to programs without a manifest on 8.1 and
// later), else GetVersionExW. Any thread may call; the first callers probe once under a
// lock, and the record never changes afterwards. A failed probe leaves every number 0.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::system::win {

struct OsVersion {
    static constexpr uint32_t kServicePackUnits = 256;

    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    bool isNt = false;               // platform id VER_PLATFORM_WIN32_NT (2)
    bool isVersion60OrLater = false;  // Vista and later
    bool isVersion61OrLater = false;  // 7 and later
    wchar_t servicePack[kServicePackUnits + 1] = {};  // "Service Pack 3", always terminated
    bool probed = false;
};

// Fills the process's record once; later calls return at once.
void probeOsVersion();
// The process's record, probed first when needed.
const OsVersion& osVersion();
// NT 5.2 (Server 2003, XP x64), probing first when needed; or of a given record.
bool isNtVersion52();
bool isNtVersion52(const OsVersion& version);

// The probe itself, with its two sources as arguments so that a test can feed it versions
// (null: that source is missing). Used by probeOsVersion with the real functions.
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW* info);
using GetVersionExFunction = BOOL(WINAPI*)(OSVERSIONINFOW* info);
void fillOsVersion(OsVersion* record, RtlGetVersionFunction rtlGetVersion,
                   GetVersionExFunction getVersionEx);

}  // namespace s::system::win
