// tests/s/system/network/win/GipFinderTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/win/GipFinder.h"
#include "support/LoopbackServer.h"
#include "support/Pooled.h"

namespace {

using s::system::network::win::GipFinder;
using tests::LoopbackServer;

bool waitFound(GipFinder& finder, DWORD ms) {
    const DWORD begin = GetTickCount();
    while (!finder.isFound() && GetTickCount() - begin < ms) Sleep(50);
    return finder.isFound();
}

// The asked path names a file with an extension: Wine's URLDownloadToCacheFileW makes the
// cache file's name from the address's last segment and answers E_FAIL when that has no
// extension, as for "/ip/" or "/ip/seen.txt" (Wine 8.0, checked).
TEST(GipFinder, KeepsTheFirst32BytesOfTheReply) {
    LoopbackServer server({{"/ip/seen.txt", {200, "127.0.0.1 is what the service saw, and more",
                                     LoopbackServer::Mode::kReply}}});
    ASSERT_TRUE(server.started());
    const std::wstring address = server.address("/ip/seen.txt");
    tests::Pooled<GipFinder> finder;
    finder->setAddress(address.c_str());
    s::str::strbuffer::StrBuffer text;
    EXPECT_FALSE(finder->copyAddress(&text));
    finder->start();
    ASSERT_TRUE(waitFound(*finder, 8000));
    ASSERT_TRUE(finder->copyAddress(&text));
    EXPECT_EQ(tests::text(&text), L"127.0.0.1 is what the service sa");
    finder->resetFound();
    EXPECT_FALSE(finder->copyAddress(&text));
    EXPECT_EQ(server.hits(), std::vector<std::string>{"/ip/seen.txt"});
}

TEST(GipFinder, AStopEndsTheRetryWaitAtOnce) {
    std::wstring address;
    {
        // A loopback port nobody listens on any more: the fetch fails and the task waits.
        LoopbackServer gone({});
        ASSERT_TRUE(gone.started());
        address = gone.address("/ip/");
    }
    tests::Pooled<GipFinder> finder;
    finder->setAddress(address.c_str());
    finder->start();
    Sleep(500);
    const DWORD begin = GetTickCount();
    finder->stop(true);
    EXPECT_LT(GetTickCount() - begin, 1000u);
    EXPECT_FALSE(finder->isFound());
}

}  // namespace

namespace {

using s::system::network::win::GipFinder;

TEST(GipFinder, OneStaticInstanceStandsFromTheStartAndIsNoPools) {
    GipFinder* shared = s::system::network::win::staticGipFinder();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared, s::system::network::win::staticGipFinder());
    EXPECT_STREQ(shared->classId(), L"s_system_network_win_GipFinder");
    EXPECT_FALSE(shared->isFound()) << "nothing starts it";
    s::str::strbuffer::StrBuffer text;
    EXPECT_FALSE(shared->copyAddress(&text));
    shared->releaseToPool();  // stops it, and keeps it out of the pool
    tests::Pooled<GipFinder> pooled;
    EXPECT_NE(pooled.get(), shared);
    EXPECT_FALSE(shared->isFound());
}

}  // namespace
