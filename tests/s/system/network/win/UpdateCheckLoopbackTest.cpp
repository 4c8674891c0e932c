// tests/s/system/network/win/UpdateCheckLoopbackTest.cpp
//
// The whole update check with the real downloader against the tests' own server on
// 127.0.0.1, one path per case; clock, online test, asker, opener and texts are recorded.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "../UpdateFakes.h"
#include "s/reg/MappedData.h"
#include "s/system/network/UpdateCheck.h"
#include "s/system/network/win/DownloadFetcher.h"
#include "support/LoopbackServer.h"
#include "support/PrivateTemp.h"
#include "support/RegistryFixture.h"

namespace {

using s::system::network::UpdateCheck;
using tests::LoopbackServer;
using Mode = LoopbackServer::Mode;

constexpr int32_t S = 490000;
constexpr int64_t kHourMs = 3600000;

// The "NEW" temporary files in this test's own temporary folder now.
std::vector<std::wstring> tempFiles() { return tests::tempFiles(L"NEW*.tmp"); }

class UpdateCheckLoopbackTest : public tests::RegistryFixture {
protected:
    void SetUp() override {
        RegistryFixture::SetUp();
        m_store = s::reg::openRegistryData(at(L"SaveData").c_str());
        ASSERT_NE(nullptr, m_store);
    }
    void TearDown() override {
        if (m_store) m_store->releaseToPool();
        RegistryFixture::TearDown();
    }
    bool run(const std::wstring& folder, uint32_t limitMs) {
        fakes.texts[tests::kProductBase + 6] = folder;
        s::system::network::win::DownloadFetcher fetcher(&fakes);
        UpdateCheck::Services services{&fakes, &fakes, &fakes, &fakes, &fakes, &fetcher, m_store};
        UpdateCheck check(services, L"MainWindow", tests::kProductBase, limitMs);
        check.run();
        return check.offered();
    }
    void setStamp(int32_t hour) { m_store->setS32(L"MainWindow\\Version", L"Update", hour); }
    int32_t stamp() { return m_store->getS32(L"MainWindow\\Version", L"Update", -1); }

    tests::Fakes fakes;

private:
    s::reg::MappedData* m_store = nullptr;
};

TEST_F(UpdateCheckLoopbackTest, EachReplyOfTheServer) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    LoopbackServer server({{"/ok/check/", {200, "*1.24", Mode::kReply}},
                           {"/same/check/", {200, "*1.23\r\n", Mode::kReply}},
                           {"/short/check/", {200, "*1.2", Mode::kReply}},
                           {"/nostar/check/", {200, "1.24x", Mode::kReply}},
                           {"/flood/check/", {200, "", Mode::kFlood}}});
    ASSERT_TRUE(server.started());
    const std::vector<std::wstring> before = tempFiles();
    struct Row {
        const char* folder;
        bool offered;
    } const rows[] = {
        {"/ok/", true}, {"/same/", false}, {"/short/", false}, {"/nostar/", false},
        {"/flood/", true},  // a capped run of stars holds no version: the rule offers
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.folder);
        setStamp(S);
        fakes.now = (S + 720) * kHourMs;
        fakes.asked = 0;
        fakes.opened.clear();
        fakes.answerYes = true;
        const DWORD begin = GetTickCount();
        EXPECT_EQ(run(server.address(r.folder), 8000), r.offered);
        EXPECT_LT(GetTickCount() - begin, 8000u + 500u);
        ASSERT_FALSE(server.hits().empty());
        EXPECT_EQ(server.hits().back(), std::string(r.folder) + "check/");
        EXPECT_EQ(fakes.asked, r.offered ? 1 : 0);
        EXPECT_EQ(fakes.opened, r.offered ? L"http://page/" : L"");
        if (r.offered) {
            EXPECT_EQ(fakes.message,
                      L"There is improved version available. \r\nWould you like to check it out?");
        }
        EXPECT_EQ(stamp(), S + 720);
    }
    EXPECT_EQ(server.hits().size(), 5u);
    EXPECT_EQ(tempFiles(), before);
}

TEST_F(UpdateCheckLoopbackTest, FirstStartAndNotDueMakeNoRequest) {
    LoopbackServer server({{"/ok/check/", {200, "*1.24", Mode::kReply}}});
    ASSERT_TRUE(server.started());
    fakes.now = S * kHourMs;
    EXPECT_FALSE(run(server.address("/ok/"), 8000));
    EXPECT_EQ(stamp(), S);
    fakes.now = (S + 719) * kHourMs;
    EXPECT_FALSE(run(server.address("/ok/"), 8000));
    EXPECT_EQ(stamp(), S);
    EXPECT_TRUE(server.hits().empty());
}

TEST_F(UpdateCheckLoopbackTest, ASilentServerEndsTheCheckInItsLimitAndTheStampIsWritten) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    const std::vector<std::wstring> before = tempFiles();
    {
        LoopbackServer server({{"/silent/check/", {200, "", Mode::kSilent}}});
        ASSERT_TRUE(server.started());
        setStamp(S);
        fakes.now = (S + 720) * kHourMs;
        const DWORD begin = GetTickCount();
        EXPECT_FALSE(run(server.address("/silent/"), 1000));
        EXPECT_LT(GetTickCount() - begin, 1000u + 600u);
        EXPECT_EQ(stamp(), S + 720);
        EXPECT_EQ(fakes.asked, 0);
    }
    const DWORD begin = GetTickCount();
    while (tempFiles() != before && GetTickCount() - begin < 10000) Sleep(50);
    EXPECT_EQ(tempFiles(), before);
}

}  // namespace
