// s/file/win/RandomSource.cpp
#include "s/file/win/RandomSource.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <ctime>

namespace s::file::win {

namespace {

std::atomic<uint32_t> s_seedCounter{0};

// msvcrt keeps rand()'s state per thread and starts every thread at seed 1 (Wine 8.0: a new
// thread draws 41, 18467, 6334 ..., checked), so a process-wide "seeded" mark would leave
// every thread but the first on that fixed sequence. The mark is a plain Win32 TLS slot:
// nothing to free when a thread ends, and it works on XP. TLS_OUT_OF_INDEXES (no slot left)
// makes every draw seed again, which is still never the fixed sequence.
DWORD seededSlot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

bool markThisThreadSeeded() {
    DWORD slot = seededSlot();
    if (slot == TLS_OUT_OF_INDEXES) return true;
    if (TlsGetValue(slot)) return false;
    TlsSetValue(slot, reinterpret_cast<void*>(1));
    return true;
}

// A bijective 32-bit finaliser: inputs that differ in any bit give unrelated seeds.
uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    x *= 0xC2B2AE35u;
    x ^= x >> 16;
    return x;
}

uint32_t freshSeed() {
    LARGE_INTEGER counter;
    if (!QueryPerformanceCounter(&counter)) counter.QuadPart = 0;
    uint32_t seed = mix(static_cast<uint32_t>(std::time(nullptr)));
    seed = mix(seed ^ GetTickCount());
    seed = mix(seed ^ GetCurrentThreadId());
    seed = mix(seed ^ GetCurrentProcessId());
    seed = mix(seed ^ counter.LowPart);
    return mix(seed + 0x9E3779B9u * (s_seedCounter.fetch_add(1, std::memory_order_relaxed) + 1));
}

}  // namespace

void RandomSource::seedThisThread() {
    if (markThisThreadSeeded()) std::srand(freshSeed());
}

int32_t RandomSource::draw() {
    seedThisThread();
    return std::rand();
}

uint32_t RandomSource::draw32() {
    uint32_t a = static_cast<uint32_t>(draw());
    uint32_t b = static_cast<uint32_t>(draw());
    uint32_t c = static_cast<uint32_t>(draw());
    return (a << 30) | (b << 15) | c;
}

uint64_t RandomSource::random64() {
    uint64_t high = draw32();
    uint64_t low = draw32();
    return (high << 32) | low;
}

// Seeds once, then draws straight from the run-time: a chunk of 10 MB takes millions of draws.
void RandomSource::fillRandom(uint32_t length, uint8_t* buffer) {
    seedThisThread();
    uint32_t at = 0;
    // A group is made only while 16 bytes are left, so lengths 16 to 30 get one group.
    for (; length - at >= 16; at += 15) {
        uint32_t bits = 0;
        int held = 0;
        uint8_t* out = buffer + at;
        for (int d = 0; d < 8; ++d) {
            bits |= static_cast<uint32_t>(std::rand()) << held;
            for (held += 15; held >= 8; held -= 8) {
                *out++ = static_cast<uint8_t>(bits);
                bits >>= 8;
            }
        }
    }
    for (; at < length; ++at) buffer[at] = static_cast<uint8_t>(std::rand());
}

}  // namespace s::file::win
