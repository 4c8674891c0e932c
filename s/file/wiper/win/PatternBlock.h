// s/file/wiper/win/PatternBlock.h
//
// The process-wide block of 1080 bytes (360 repetitions of a three-byte pattern) from which
// the overwrite passes fill their buffers. Any thread may call; a process-wide lock, built
// on first use and never freed, is held while the block is filled and copied out, so
// methods running side by side never see each other's pattern.
#pragma once
#include <cstdint>

namespace s::file::wiper::win {

class PatternBlock {
public:
    PatternBlock() = delete;

    static constexpr uint32_t kSize = 1080;

    // Fills the first `length` bytes of `buffer` with the pattern repeated, starting with
    // pattern[0]; copied in pieces of kSize (a multiple of 3), so the repetition never breaks.
    static void copyInto(const uint8_t pattern[3], uint8_t* buffer, uint32_t length);
};

}  // namespace s::file::wiper::win
