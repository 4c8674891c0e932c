// s/system/win/OsVersion.cpp
#include "s/system/win/OsVersion.h"

#include <atomic>
#include <cstring>

#include "s/thread/ObjLocker.h"

namespace s::system::win {

namespace {

OsVersion s_version;
std::atomic<bool> s_probed{false};

s::thread::ObjLocker& probeLock() {
    static s::thread::ObjLocker lock;
    return lock;
}

// A zeroed record of the full 276 bytes, its size field set, so that either source may
// fill every field it knows.
void prepare(OSVERSIONINFOW* info) {
    std::memset(info, 0, sizeof *info);
    info->dwOSVersionInfoSize = sizeof *info;
}

}  // namespace

void fillOsVersion(OsVersion* record, RtlGetVersionFunction rtlGetVersion,
                   GetVersionExFunction getVersionEx) {
    static_assert(sizeof(OSVERSIONINFOW) == 276, "the record both sources fill");
    OSVERSIONINFOW info;
    prepare(&info);
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) prepare(&info);
    if (info.dwMajorVersion == 0 && info.dwMinorVersion == 0 && info.dwBuildNumber == 0) {
        prepare(&info);
        if (!getVersionEx || !getVersionEx(&info)) prepare(&info);
    }
    record->majorVersion = info.dwMajorVersion;
    record->minorVersion = info.dwMinorVersion;
    record->buildNumber = info.dwBuildNumber;
    record->isNt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    record->isVersion60OrLater = info.dwMajorVersion >= 6;
    record->isVersion61OrLater =
        info.dwMajorVersion > 6 || (info.dwMajorVersion == 6 && info.dwMinorVersion >= 1);
    // The source field holds 128 units and need not be terminated: copy within it only.
    const size_t fieldUnits = sizeof info.szCSDVersion / sizeof info.szCSDVersion[0];
    size_t n = 0;
    while (n < fieldUnits && n < OsVersion::kServicePackUnits && info.szCSDVersion[n]) ++n;
    std::memcpy(record->servicePack, info.szCSDVersion, n * sizeof(wchar_t));
    record->servicePack[n] = 0;
    record->probed = true;
}

void probeOsVersion() {
    if (s_probed.load(std::memory_order_acquire)) return;
    s::thread::Lock lock(probeLock());
    if (s_probed.load(std::memory_order_relaxed)) return;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    fillOsVersion(&s_version, rtlGetVersion, &GetVersionExW);
    s_probed.store(true, std::memory_order_release);
}

const OsVersion& osVersion() {
    probeOsVersion();
    return s_version;
}

bool isNtVersion52() { return isNtVersion52(osVersion()); }

bool isNtVersion52(const OsVersion& version) {
    return version.isNt && version.majorVersion == 5 && version.minorVersion == 2;
}

}  // namespace s::system::win
