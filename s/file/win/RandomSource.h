// s/file/win/RandomSource.h
//
// The wiping engine's random numbers: the C run-time's generator (the same sequence as
// srand()/rand() for a seed), drawn 15 bits at a time, for overwrite bytes, pass orders,
// random names, sizes and time stamps. Any thread may draw. The state is kept per thread,
// as the run-time keeps it, and each thread seeds its own before its first draw, from the
// time, the tick count, the thread and a counter of the process, so that threads started
// together still draw different sequences.
#pragma once
#include <cstdint>

namespace s::file::win {

class RandomSource {
public:
    RandomSource() = delete;

    static int32_t draw();        // one rand(): 0 to 32767
    static uint32_t draw32();     // three draws a, b, c: (a << 30) | (b << 15) | c, 32 bits kept
    static uint64_t random64();   // draw32() as the high half, then draw32() as the low half

    // Writes exactly `length` random bytes: while at least 16 bytes are left, a group of 15
    // bytes from eight draws (the first draw in bits 0-14 of a little-endian 120-bit number,
    // the eighth in bits 105-119); then one draw's low byte for each byte left.
    static void fillRandom(uint32_t length, uint8_t* buffer);

    // Sets this thread's generator as srand(seed) sets the run-time's (for tests).
    static void seed(uint32_t seed);

private:
    static uint32_t loadState();  // this thread's state, seeded on the first call
    static void storeState(uint32_t state);
};

}  // namespace s::file::win
