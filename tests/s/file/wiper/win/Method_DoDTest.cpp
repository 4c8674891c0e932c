// tests/s/file/wiper/win/Method_DoDTest.cpp
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "MethodCases.h"
#include "RecordingIo.h"
#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/Method_DoD.h"

namespace {

using s::file::win::RandomSource;
using tests::PageBuffer;
using tests::RecordingIo;

std::string repeated(uint8_t value, size_t n) { return std::string(n, char(value)); }

std::string randomBytes(uint32_t length) {
    std::string out(length, '\0');
    RandomSource::fillRandom(length, reinterpret_cast<uint8_t*>(&out[0]));
    return out;
}

TEST(Method_DoD, PassesAreTheDrawnBytesTheirComplementsAndRandomBytes) {
    constexpr uint32_t kLength = 3000;
    PageBuffer buffer(3072);
    RecordingIo io;
    s::file::wiper::win::Method_DoD dod;
    tests::seedKnown(4242);
    std::atomic<float> progress{0};
    std::atomic<bool> stop{false};
    ASSERT_TRUE(dod.overwrite(tests::kFakeFile, kLength, buffer.data(), buffer.size(), 0, 1, &progress,
                              &stop, 0));

    s::file::win::RandomSource::seed(4242);  // replay: three bytes in order, then the two fills
    uint8_t r1 = uint8_t(s::file::win::RandomSource::draw()), r2 = uint8_t(s::file::win::RandomSource::draw()),
            r3 = uint8_t(s::file::win::RandomSource::draw());
    std::string random3 = randomBytes(kLength);
    std::string random7 = randomBytes(kLength);
    const std::string expected[] = {repeated(r1, kLength), repeated(uint8_t(~r1), kLength), random3,
                                    repeated(r2, kLength), repeated(r3, kLength),
                                    repeated(uint8_t(~r3), kLength), random7};
    std::vector<tests::PassRecord> passes = io.passes();
    ASSERT_EQ(7u, passes.size());
    for (int p = 0; p < 7; ++p) EXPECT_EQ(expected[p], passes[p].bytes) << "pass " << p + 1;
}

TEST(Method_DoD, NewBytesAreDrawnAtEachCall) {
    PageBuffer buffer(1536);
    s::file::wiper::win::Method_DoD dod;
    std::string first[2];
    for (std::string& pass1 : first) {
        RecordingIo io;
        ASSERT_TRUE(dod.overwrite(tests::kFakeFile, 1536, buffer.data(), buffer.size(), 0, 1, nullptr,
                                  nullptr, 0));
        pass1 = io.passes()[0].bytes + io.passes()[3].bytes + io.passes()[4].bytes;
    }
    EXPECT_NE(first[0], first[1]);  // 24 bits drawn each time: equal by chance once in 16 million
}

// With the wiper's buffer a 3 MiB range is one chunk per pass, so the progress moves in
// sevenths of the call's share.
TEST(Method_DoD, ProgressAfterPassKIsKSevenths) {
    constexpr uint64_t kRange = 3u << 20;
    constexpr float kFrom = 0.25f, kTo = 0.75f;
    PageBuffer buffer(10567680);
    ASSERT_NE(nullptr, buffer.data());
    RecordingIo io;
    io.keepBytes = false;
    std::atomic<float> progress{kFrom};
    std::atomic<bool> stop{false};
    io.progress = &progress;
    s::file::wiper::win::Method_DoD dod;
    ASSERT_TRUE(dod.overwrite(tests::kFakeFile, kRange, buffer.data(), buffer.size(), kFrom, kTo,
                              &progress, &stop, 0));
    std::vector<tests::PassRecord> passes = io.passes();
    ASSERT_EQ(7u, passes.size());
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(std::vector<uint32_t>{uint32_t(kRange)}, passes[k].chunks);
        EXPECT_FLOAT_EQ(float(kFrom + (double(kTo) - kFrom) * k / 7), passes[k].progressAtStart);
    }
    EXPECT_FLOAT_EQ(kTo, progress.load());
}

}  // namespace
