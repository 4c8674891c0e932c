// bench/OverwriteBench.cpp
//
// How fast the overwrite passes fill the wiper's 10,567,680-byte buffer: a byte pattern
// (memset, the reference), a three-byte pattern through the shared pattern block, and
// random bytes (eight run-time draws per 15 bytes). Prints MB/s for each; writes no file.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/PatternBlock.h"

namespace {

constexpr uint32_t kBufferSize = 10567680;
constexpr int kRounds = 8;

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <class Fill>
void measure(const wchar_t* name, uint8_t* buffer, Fill fill) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) fill(buffer);
    QueryPerformanceCounter(&end);
    double megabytes = double(kBufferSize) * kRounds / 1e6;
    std::wprintf(L"%-34ls %9.1f MB/s  (%d fills of %u bytes, last byte %u)\n", name,
                 megabytes / seconds(start, end), kRounds, kBufferSize, buffer[kBufferSize - 1]);
}

}  // namespace

int wmain() {
    auto* buffer = static_cast<uint8_t*>(VirtualAlloc(nullptr, kBufferSize, MEM_COMMIT, PAGE_READWRITE));
    if (!buffer) return 1;
    std::memset(buffer, 0, kBufferSize);  // commit the pages before anything is timed
    const uint8_t pattern[3] = {0x92, 0x49, 0x24};
    measure(L"byte pattern (memset, reference)", buffer, [](uint8_t* b) { std::memset(b, 0x55, kBufferSize); });
    measure(L"three-byte pattern (block copy)", buffer,
            [&](uint8_t* b) { s::file::wiper::win::PatternBlock::copyInto(pattern, b, kBufferSize); });
    measure(L"random bytes (fillRandom)", buffer,
            [](uint8_t* b) { s::file::win::RandomSource::fillRandom(kBufferSize, b); });
    VirtualFree(buffer, 0, MEM_RELEASE);
    return 0;
}
