// tests/s/file/wiper/win/Method_GutmannTest.cpp
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "MethodCases.h"
#include "RecordingIo.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_Gutmann.h"

namespace {

using tests::PageBuffer;
using tests::RecordingIo;

// The 27 fixed patterns of the published table, in its order.
const std::vector<std::string> kPublished = {
    "\x55", "\xAA", "\x92\x49\x24", "\x49\x24\x92", "\x24\x92\x49",
    std::string(1, '\x00'), "\x11", "\x22", "\x33", "\x44", "\x55", "\x66", "\x77", "\x88",
    "\x99", "\xAA", "\xBB", "\xCC", "\xDD", "\xEE", "\xFF",
    "\x92\x49\x24", "\x49\x24\x92", "\x24\x92\x49", "\x6D\xB6\xDB", "\xB6\xDB\x6D", "\xDB\x6D\xB6",
};

// One call over 7680 bytes with a buffer of 3072: each pass is three chunks (3072, 3072,
// 1536) and each filled buffer is three pieces of the pattern block (1080, 1080, 912), so a
// pattern that repeats without a break over the whole pass crossed both kinds of seam.
std::vector<std::string> unitsOfOneCall() {
    PageBuffer buffer(3072);
    RecordingIo io;
    s::file::wiper::win::Method_Gutmann gutmann;
    EXPECT_TRUE(gutmann.overwrite(tests::kFakeFile, 7680, buffer.data(), buffer.size(), 0, 1, nullptr,
                                  nullptr, 0));
    std::vector<std::string> units;
    for (const tests::PassRecord& pass : io.passes()) {
        EXPECT_EQ(7680u, pass.bytes.size());
        units.push_back(tests::unitOf(pass.bytes));
    }
    return units;
}

TEST(Method_Gutmann, FixedPatternsFillPassesFiveToThirtyOneRandomPassesTheRest) {
    std::vector<std::vector<std::string>> orders;
    for (int call = 0; call < 3; ++call) {
        SCOPED_TRACE(call);
        std::vector<std::string> units = unitsOfOneCall();
        ASSERT_EQ(35u, units.size());
        for (int p : {0, 1, 2, 3, 31, 32, 33, 34}) EXPECT_EQ("", units[p]) << "pass " << p + 1 << " is random";
        std::vector<std::string> fixed(units.begin() + 4, units.begin() + 31);
        std::vector<std::string> sortedFixed = fixed, sortedPublished = kPublished;
        std::sort(sortedFixed.begin(), sortedFixed.end());
        std::sort(sortedPublished.begin(), sortedPublished.end());
        EXPECT_EQ(sortedPublished, sortedFixed) << "each fixed pattern exactly as often as published";
        orders.push_back(fixed);
    }
    EXPECT_NE(orders[0], orders[1]) << "the order is drawn at each call";
    EXPECT_NE(orders[1], orders[2]);
}

// R from three draws, (a << 30) | (b << 15) | c in 32 bits; j = R mod n; positions j and
// n - 1 swap unless they are the same.
TEST(Method_Gutmann, ShuffleFollowsTheDrawRule) {
    for (unsigned seed : {1u, 2024u, 65535u}) {
        SCOPED_TRACE(seed);
        tests::seedKnown(seed);
        std::vector<std::string> units = unitsOfOneCall();
        std::srand(seed);
        std::vector<std::string> model = kPublished;
        for (uint32_t n = 27; n >= 2; --n) {
            uint32_t a = std::rand(), b = std::rand(), c = std::rand();
            uint32_t j = ((a << 30) | (b << 15) | c) % n;
            if (j != n - 1) std::swap(model[j], model[n - 1]);
        }
        EXPECT_EQ(model, std::vector<std::string>(units.begin() + 4, units.begin() + 31));
    }
}

// Random passes fill the chunk rounded up to 1024 bytes but never beyond the buffer; the
// other methods fill exactly the chunk. The buffer starts as 0xEE throughout its pages.
TEST(Method_Gutmann, RandomFillIsRoundedUpTo1024WithinTheBuffer) {
    struct Row {
        bool gutmann;
        int32_t bufferSize;
        uint64_t range;
        uint32_t filledTo;
        const char* why;
    } rows[] = {
        {true, 3072, 1000, 1024, "a 1000-byte chunk fills 1024"},
        {true, 3072, 1536, 2048, "1536 fills 2048"},
        {true, 1536, 1536, 1536, "2048 would pass the buffer's end: the buffer's size"},
        {false, 3072, 1000, 1000, "DoD fills exactly the chunk"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PageBuffer pages(4096, 0xEE);
        RecordingIo io;
        s::file::wiper::win::Method_Gutmann gutmann;
        s::file::wiper::win::Method_DoD dod;
        s::file::wiper::IMethod& method = row.gutmann ? static_cast<s::file::wiper::IMethod&>(gutmann) : dod;
        ASSERT_TRUE(method.overwrite(tests::kFakeFile, row.range, pages.data(), row.bufferSize, 0, 1,
                                     nullptr, nullptr, 0));
        const uint8_t* b = pages.data();
        auto untouched = [](uint8_t v) { return v == 0xEE; };
        if (row.filledTo > row.range) {
            EXPECT_FALSE(std::all_of(b + row.range, b + row.filledTo, untouched)) << "the rounded tail";
        }
        EXPECT_TRUE(std::all_of(b + row.filledTo, b + 4096, untouched)) << "nothing beyond it";
    }
}

}  // namespace
