// s/time/Time.h
//
// Time values of the system: signed 64-bit milliseconds since 1970-01-01 00:00 UTC, and
// their conversion from and to the Windows FILETIME count (100-ns units since 1601-01-01
// UTC). Plain functions, safe on any thread.
#pragma once
#include <cstdint>

namespace s::time {

constexpr uint64_t kFileTimeOf1970 = 116444736000000000ULL;  // 100-ns units, 1601 to 1970

// Truncates towards zero, so a FILETIME less than 1 ms before 1970 gives 0.
int64_t fileTimeToMillis(uint64_t fileTime);

// A time before 1601 gives 0 and one past the largest FILETIME the system accepts
// (0x7FFFFFFFFFFFFFFF) gives that value, rather than a wrapped count.
uint64_t secondsToFileTime(int64_t seconds);

int64_t currentTimeMillis();

}  // namespace s::time
