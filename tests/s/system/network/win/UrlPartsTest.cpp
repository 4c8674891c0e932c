// tests/s/system/network/win/UrlPartsTest.cpp
#include <gtest/gtest.h>

#include "s/system/network/win/UrlParts.h"
#include "support/Pooled.h"

namespace {

using s::system::network::win::UrlParts;

TEST(UrlParts, SplitsAddresses) {
    struct Row {
        const char* why;
        const wchar_t* address;
        bool ok;
        bool secure;
        uint16_t port;
        const wchar_t* host;
        const wchar_t* path;
    } const rows[] = {
        {"plain", L"http://example.test/a/check/", true, false, 80, L"example.test", L"/a/check/"},
        {"secure", L"https://example.test/x", true, true, 443, L"example.test", L"/x"},
        {"scheme in any case", L"HTTP://h/", true, false, 80, L"h", L"/"},
        {"a loopback port", L"http://127.0.0.1:8123/ok/check/", true, false, 8123, L"127.0.0.1",
         L"/ok/check/"},
        {"no slash after the host", L"http://example.test", false, false, 0, L"", L""},
        {"no scheme", L"example.test/x", false, false, 0, L"", L""},
        {"the scheme must lead", L"see http://h/x", false, false, 0, L"", L""},
        {"empty host", L"http:///x", false, false, 0, L"", L""},
        {"empty port", L"http://h:/x", false, false, 0, L"", L""},
        {"port too large", L"http://h:65536/x", false, false, 0, L"", L""},
        {"port not a number", L"http://h:8a/x", false, false, 0, L"", L""},
        {"a colon in the path is no port", L"http://h/a:b", true, false, 80, L"h", L"/a:b"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        UrlParts parts;
        ASSERT_EQ(parts.split(r.address), r.ok);
        if (!r.ok) continue;
        EXPECT_EQ(parts.secure, r.secure);
        EXPECT_EQ(parts.port, r.port);
        EXPECT_EQ(tests::text(&parts.host), r.host);
        EXPECT_EQ(tests::text(&parts.path), r.path);
    }
}

}  // namespace
