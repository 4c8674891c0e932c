// tests/s/digest/md5/Md5Test.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "s/digest/md5/Md5.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::digest::md5::Md5;
using s::str::strbuffer::StrBuffer;
using tests::Pooled;

std::wstring hexOf(Md5& md5, const void* data, size_t n) {
    md5.update(data, static_cast<uint32_t>(n));
    md5.finish(nullptr);
    Pooled<StrBuffer> hex(md5.resultHex(nullptr, false));
    return tests::text(hex.get());
}

// RFC 1321, appendix A.5.
TEST(Md5, RfcTestSuite) {
    struct Row {
        const char* message;
        const wchar_t* digest;
    } const rows[] = {
        {"", L"d41d8cd98f00b204e9800998ecf8427e"},
        {"a", L"0cc175b9c0f1b6a831c399e269772661"},
        {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         L"d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         L"57edf4a22be3c955ac49da2e2107b67a"},
    };
    Pooled<Md5> md5;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.message);
        EXPECT_EQ(r.digest, hexOf(*md5, r.message, std::strlen(r.message))) << "one digester, used again";
    }
}

// Any way of cutting the message gives the same digest, across the padding boundaries.
TEST(Md5, PiecesOfAnySize) {
    std::vector<uint8_t> message(1000);
    for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<uint8_t>(i * 7 + 3);
    struct Length {
        size_t n;
        const wchar_t* digest;
    } const lengths[] = {
        {55, L"52c0e574e1198de5fe3f8f11440dcb1b"}, {56, L"46c9907fc908ee68b1e7b8e71286a518"},
        {63, L"a62f6d59e837867693f042f5b8f5a236"}, {64, L"7160b8fb5e9e4023d549c3971fbaeead"},
        {65, L"70bd662e7aefbda85a0f7244167b7897"}, {1000, L"10046f077f2082ac19676b8079f1cb1a"},
    };
    Pooled<Md5> md5;
    for (const Length& length : lengths) {
        for (size_t piece : {1u, 63u, 64u, 65u, 1000u}) {
            SCOPED_TRACE(testing::Message() << length.n << " bytes in pieces of " << piece);
            for (size_t at = 0; at < length.n; at += piece)
                md5->update(message.data() + at, static_cast<uint32_t>(std::min(piece, length.n - at)));
            EXPECT_TRUE(md5->hasData());
            EXPECT_EQ(length.digest, hexOf(*md5, nullptr, 0));
            EXPECT_FALSE(md5->hasData()) << "finish starts a new message";
        }
    }
}

TEST(Md5, TargetsAndTheDigestOperation) {
    Pooled<Md5> md5;
    uint8_t target[16] = {};
    md5->update("abc", 3);
    md5->finish(target);
    EXPECT_EQ(0x90, target[0]);
    EXPECT_EQ(0x72, target[15]);
    EXPECT_EQ(16u, md5->digestLength());
    // A prefix fed before the digest operation is part of the message.
    md5->update("a", 1);
    Pooled<StrBuffer> hex(s::digest::md5::digestHex(md5.get(), "bc", 2, nullptr, false));
    EXPECT_EQ(L"900150983cd24fb0d6963f7d28e17f72", tests::text(hex.get()));
    s::digest::md5::digestHex(nullptr, "", 0, hex.get(), true);
    EXPECT_EQ(L"900150983cd24fb0d6963f7d28e17f72d41d8cd98f00b204e9800998ecf8427e", tests::text(hex.get()));
    md5->update("x", 1);
    md5->resetForReuse();
    EXPECT_EQ(L"d41d8cd98f00b204e9800998ecf8427e", hexOf(*md5, "", 0)) << "reset starts over";
    EXPECT_STREQ(L"s_digest_md5_Md5", md5->classId());
}

}  // namespace
