// s/file/wiper/win/PatternBlock.cpp
#include "s/file/wiper/win/PatternBlock.h"

#include <cstring>

#include "s/base/Lasting.h"
#include "s/thread/ObjLocker.h"

namespace s::file::wiper::win {

namespace {

static_assert(PatternBlock::kSize % 3 == 0, "pieces must end on a whole pattern");

uint8_t s_block[PatternBlock::kSize];

s::thread::ObjLocker& blockLock() {
    static s::base::Lasting<s::thread::ObjLocker> lock;  // lives with the process
    return lock.get();
}

}  // namespace

void PatternBlock::copyInto(const uint8_t pattern[3], uint8_t* buffer, uint32_t length) {
    s::thread::Lock lock(blockLock());
    for (uint32_t i = 0; i < kSize; i += 3) std::memcpy(s_block + i, pattern, 3);
    for (uint32_t at = 0; at < length; at += kSize) {
        uint32_t piece = length - at < kSize ? length - at : kSize;
        std::memcpy(buffer + at, s_block, piece);
    }
}

}  // namespace s::file::wiper::win
