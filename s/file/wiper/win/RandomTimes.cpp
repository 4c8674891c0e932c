// s/file/wiper/win/RandomTimes.cpp
#include "s/file/wiper/win/RandomTimes.h"

#include "s/file/win/RandomSource.h"

namespace s::file::wiper::win {

namespace {

using s::file::win::RandomSource;

constexpr uint64_t kSmallestRange = 1000;

// A stamp at or after `after`, below reference - one year; the same as `after` when one
// draw's bit 7 is clear.
uint64_t laterStamp(uint64_t reference, uint64_t after) {
    uint64_t limit = reference - kFileTimeYear - after;
    if (after >= reference - kFileTimeYear || limit <= kSmallestRange) limit = kSmallestRange;
    uint64_t stamp = after + RandomSource::random64() % limit;
    return (RandomSource::draw() & 0x80) ? stamp : after;
}

}  // namespace

FileTimes randomFileTimes(uint64_t reference) {
    FileTimes times;
    times.creation = reference - 6 * kFileTimeYear + RandomSource::random64() % (5 * kFileTimeYear);
    times.write = laterStamp(reference, times.creation);
    times.access = laterStamp(reference, times.write);
    return times;
}

}  // namespace s::file::wiper::win
