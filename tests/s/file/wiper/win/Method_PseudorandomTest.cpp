// tests/s/file/wiper/win/Method_PseudorandomTest.cpp
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "MethodCases.h"
#include "RecordingIo.h"
#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"

namespace {

TEST(Method_Pseudorandom, OnePassOfRandomBytesRefilledForEveryChunk) {
    tests::PageBuffer buffer(3072);
    tests::RecordingIo io;
    s::file::wiper::win::Method_Pseudorandom once;
    tests::seedKnown(7);
    ASSERT_TRUE(once.overwrite(tests::kFakeFile, 3 * 3072, buffer.data(), buffer.size(), 0, 1,
                               nullptr, nullptr, 0));
    std::vector<tests::PassRecord> passes = io.passes();
    ASSERT_EQ(1u, passes.size());
    ASSERT_EQ(3u, passes[0].chunks.size());
    s::file::win::RandomSource::seed(7);
    std::string expected(3 * 3072, '\0');
    for (int c = 0; c < 3; ++c)
        s::file::win::RandomSource::fillRandom(3072, reinterpret_cast<uint8_t*>(&expected[c * 3072]));
    EXPECT_EQ(expected, passes[0].bytes);
    EXPECT_NE(expected.substr(0, 3072), expected.substr(3072, 3072));
}

}  // namespace
