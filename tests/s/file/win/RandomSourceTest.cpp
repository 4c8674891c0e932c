// tests/s/file/win/RandomSourceTest.cpp
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "s/file/win/RandomSource.h"

namespace {

using s::file::win::RandomSource;

// Puts this thread's generator at a known seed; std::srand/std::rand are the model it must
// follow draw for draw.
void seedKnown(unsigned seed) { RandomSource::seed(seed); }

std::vector<int> rawDraws(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(std::rand());
    return out;
}

TEST(RandomSource, CompoundValuesAreBuiltFromDrawsInOrder) {
    std::vector<int> d = rawDraws(77, 10);
    auto three = [&](int i) { return (uint32_t(d[i]) << 30) | (uint32_t(d[i + 1]) << 15) | uint32_t(d[i + 2]); };
    seedKnown(77);
    EXPECT_EQ(d[0], RandomSource::draw());
    EXPECT_EQ(three(1), RandomSource::draw32());
    EXPECT_EQ((uint64_t(three(4)) << 32) | three(7), RandomSource::random64());
}

// The byte layout, modelled bit by bit: groups of 15 bytes from 8 draws while 16 bytes are
// left, then one draw per byte. The draw count shows in the next value drawn after the fill.
std::string modelFill(unsigned seed, uint32_t length, int* drawsUsed) {
    std::srand(seed);
    std::string out(length, '\0');
    uint32_t at = 0;
    *drawsUsed = 0;
    for (; length - at >= 16; at += 15) {
        std::vector<bool> bits;
        for (int d = 0; d < 8; ++d, ++*drawsUsed) {
            int v = std::rand();
            for (int b = 0; b < 15; ++b) bits.push_back((v >> b) & 1);
        }
        for (int byte = 0; byte < 15; ++byte) {
            int value = 0;
            for (int b = 0; b < 8; ++b) value |= bits[byte * 8 + b] << b;
            out[at + byte] = char(value);
        }
    }
    for (; at < length; ++at, ++*drawsUsed) out[at] = char(std::rand() & 0xFF);
    return out;
}

TEST(RandomSource, FillRandomMakesGroupsOnlyWhileSixteenBytesAreLeft) {
    struct Row {
        uint32_t length;
        int draws;
        const char* why;
    } rows[] = {
        {0, 0, "nothing asked, nothing drawn"},
        {1, 1, "a single byte takes one draw"},
        {15, 15, "15 bytes are below 16: no group"},
        {16, 9, "one group and one byte"},
        {29, 22, "one group and 14 bytes"},
        {30, 23, "30 is not above 30: one group and 15 bytes"},
        {31, 17, "two groups and one byte"},
        {1000, 8 * 66 + 10, "a long run ends with the same tail rule"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        int modelDraws = 0;
        std::string expected = modelFill(5150 + row.length, row.length, &modelDraws);
        ASSERT_EQ(row.draws, modelDraws);
        int next = std::rand();

        std::vector<uint8_t> buffer(row.length + 8, 0xEE);
        seedKnown(5150 + row.length);
        RandomSource::fillRandom(row.length, buffer.data());
        EXPECT_EQ(expected, std::string(buffer.begin(), buffer.begin() + row.length));
        for (uint32_t i = row.length; i < buffer.size(); ++i) ASSERT_EQ(0xEE, buffer[i]) << i;
        EXPECT_EQ(next, RandomSource::draw()) << "the fill took another number of draws";
    }
}

// The old fault: the run-time starts every thread at seed 1, and a process-wide "seeded"
// mark left every thread but the first drawing 41, 18467, 6334 ...
std::vector<int> drawsOnNewThread(bool throughSource) {
    std::vector<int> out;
    std::thread([&] {
        for (int i = 0; i < 6; ++i) out.push_back(throughSource ? RandomSource::draw() : std::rand());
    }).join();
    return out;
}

TEST(RandomSource, EveryThreadSeedsItsOwnGenerator) {
    RandomSource::draw();  // this thread is seeded first, as the wiper's first thread would be
    const std::vector<int> unseeded = rawDraws(1, 6);
    ASSERT_EQ(unseeded, drawsOnNewThread(false)) << "the run-time's per-thread start changed";
    EXPECT_EQ(41, unseeded[0]);
    std::vector<int> replacement = drawsOnNewThread(true);
    std::vector<int> another = drawsOnNewThread(true);
    EXPECT_NE(unseeded, replacement);
    EXPECT_NE(unseeded, another);
    EXPECT_NE(replacement, another);
}

TEST(RandomSource, ThreadsStartedTogetherDrawDifferentSequences) {
    constexpr int kThreads = 8;
    std::vector<std::vector<int>> sequences(kThreads);
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (--waiting; waiting.load() > 0;) std::this_thread::yield();
            for (int i = 0; i < 8; ++i) sequences[t].push_back(RandomSource::draw());
        });
    for (std::thread& t : threads) t.join();
    std::set<std::vector<int>> distinct(sequences.begin(), sequences.end());
    EXPECT_EQ(size_t(kThreads), distinct.size());
}

}  // namespace
