// s/file/win/RandomName.cpp
#include "s/file/win/RandomName.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <ctime>

namespace s::file::win {

namespace {

bool isNameUnit(int8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '1' && c <= '9'); }

std::atomic<uint32_t> s_seeds{0};

// Wine 8.0: a thread that never seeded draws 41, 18467, 6334 ... like every other (checked).
// The mark is a plain TLS slot (works on XP, nothing to free); without a slot every draw
// seeds again, which is still never that fixed sequence.
bool firstDrawOfThisThread() {
    static const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return true;
    if (TlsGetValue(slot)) return false;
    TlsSetValue(slot, reinterpret_cast<void*>(1));
    return true;
}

uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    x *= 0xC2B2AE35u;
    return x ^ (x >> 16);
}

}  // namespace

wchar_t drawNameUnit(DrawFunction draw) {
    for (;;) {
        int8_t c = static_cast<int8_t>(draw() & 0xFF);
        if (isNameUnit(c)) return static_cast<wchar_t>(c);
    }
}

void randomizeStretch(wchar_t* chars, uint32_t start, uint32_t end, DrawFunction draw) {
    for (uint32_t i = start; i < end; ++i) {
        if (chars[i] != L'.') chars[i] = drawNameUnit(draw);
    }
}

int32_t drawForNames() {
    if (firstDrawOfThisThread()) {
        uint32_t seed = mix(static_cast<uint32_t>(std::time(nullptr)));
        seed = mix(seed ^ GetTickCount() ^ (GetCurrentThreadId() << 16));
        std::srand(mix(seed + 0x9E3779B9u * (s_seeds.fetch_add(1) + 1)));
    }
    return std::rand();
}

}  // namespace s::file::win
