// tests/s/system/network/win/OnlineTestTest.cpp
#include <gtest/gtest.h>

#include "s/system/network/win/OnlineTest.h"

namespace {

using s::system::network::win::OnlineTest;

TEST(OnlineTest, OnlyExactlyOfflineFlagsOrAFailureMeanOffline) {
    struct Row {
        const char* why;
        BOOL ok;
        DWORD flags;
        bool online;
    } const rows[] = {
        {"LAN and configured", TRUE, 0x12, true},
        {"modem", TRUE, 0x01, true},
        {"offline alone", TRUE, 0x20, false},
        {"offline with others is not exactly offline", TRUE, 0x22, true},
        {"the call failed", FALSE, 0x12, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(OnlineTest::isOnlineAnswer(r.ok, r.flags), r.online);
    }
}

}  // namespace
