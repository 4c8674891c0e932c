// tests/s/file/wiper/win/PatternBlockTest.cpp
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "s/file/wiper/win/PatternBlock.h"

namespace {

using s::file::wiper::win::PatternBlock;

TEST(PatternBlock, FillsExactlyTheLengthStartingWithTheFirstByte) {
    const uint8_t pattern[3] = {0x92, 0x49, 0x24};
    for (uint32_t length : {0u, 1u, 2u, 1079u, 1080u, 1081u, 2161u, 10000u}) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> buffer(length + 16, 0xEE);
        PatternBlock::copyInto(pattern, buffer.data(), length);
        for (uint32_t i = 0; i < length; ++i) ASSERT_EQ(pattern[i % 3], buffer[i]) << i;
        for (uint32_t i = length; i < buffer.size(); ++i) ASSERT_EQ(0xEE, buffer[i]) << i;
    }
}

// The block is shared by the whole process: without its lock a thread would copy out
// another thread's pattern.
TEST(PatternBlock, ThreadsCopyingAtOnceEachGetTheirOwnPattern) {
    constexpr int kThreads = 6;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const uint8_t pattern[3] = {uint8_t(t), uint8_t(0x40 + t), uint8_t(0x80 + t)};
            std::vector<uint8_t> buffer(5400);
            for (int round = 0; round < 1500; ++round) {
                PatternBlock::copyInto(pattern, buffer.data(), uint32_t(buffer.size()));
                for (size_t i = 0; i < buffer.size(); i += 7)
                    if (buffer[i] != pattern[i % 3]) ++wrong;
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(0, wrong.load());
}

}  // namespace
