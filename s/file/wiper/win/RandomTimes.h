// s/file/wiper/win/RandomTimes.h
//
// One round of random time stamps for a wiped item, as FILETIME values (100 ns since
// 1601): creation between six years and one year before the reference time, the last write
// at or after creation and the last access at or after the write, each either equal to the
// one before (half of the time) or drawn above it, below the reference minus a year (a
// 1000-unit floor of the range may pass that bound by at most 1000 units). Any thread.
#pragma once
#include <cstdint>

namespace s::file::wiper::win {

struct FileTimes {
    uint64_t creation;
    uint64_t write;
    uint64_t access;
};

constexpr uint64_t kFileTimeYear = 10000000ull * 31536000ull;  // 365 days

FileTimes randomFileTimes(uint64_t reference);

}  // namespace s::file::wiper::win
