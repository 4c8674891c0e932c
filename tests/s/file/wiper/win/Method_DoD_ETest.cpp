// tests/s/file/wiper/win/Method_DoD_ETest.cpp
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "MethodCases.h"
#include "RecordingIo.h"
#include "s/file/win/RandomSource.h"
#include "s/file/wiper/win/Method_DoD_E.h"

namespace {

using tests::PageBuffer;

TEST(Method_DoD_E, PassesAreZerosOnesThenFreshRandomBytesPerChunk) {
    PageBuffer buffer(1536);
    tests::RecordingIo io;
    s::file::wiper::win::Method_DoD_E dodE;
    tests::seedKnown(99);
    ASSERT_TRUE(dodE.overwrite(tests::kFakeFile, 4000, buffer.data(), buffer.size(), 0, 1, nullptr,
                               nullptr, 0));
    s::file::win::RandomSource::seed(99);
    std::string random;
    for (uint32_t chunk : {1536u, 1536u, 928u}) {  // refilled before every write, exactly the chunk
        std::string part(chunk, '\0');
        s::file::win::RandomSource::fillRandom(chunk, reinterpret_cast<uint8_t*>(&part[0]));
        random += part;
    }
    std::vector<tests::PassRecord> passes = io.passes();
    ASSERT_EQ(3u, passes.size());
    EXPECT_EQ(std::string(4000, '\x00'), passes[0].bytes);
    EXPECT_EQ(std::string(4000, '\xFF'), passes[1].bytes);
    EXPECT_EQ(random, passes[2].bytes);
}

}  // namespace
