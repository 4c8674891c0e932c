// tests/s/system/network/win/DownloaderTest.cpp
//
// Against the tests' own server on 127.0.0.1 only: one path per case, since the system
// download goes through the internet cache.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IOnlineTest.h"
#include "s/system/network/win/DownloadFetcher.h"
#include "s/system/network/win/Downloader.h"
#include "support/LoopbackServer.h"
#include "support/PrivateTemp.h"
#include "support/Pooled.h"
#include "s/thread/Pool.h"

namespace {

using s::str::strbuffer::StrBuffer;
using s::system::network::win::DownloadFetcher;
using s::system::network::win::Downloader;
using tests::LoopbackServer;
using Mode = LoopbackServer::Mode;

// The "NEW" temporary files in this test's own temporary folder now.
std::vector<std::wstring> tempFiles() { return tests::tempFiles(L"NEW*.tmp"); }

// Waits up to ms for the temporary files to be as before.
bool tempFilesBackTo(const std::vector<std::wstring>& before, DWORD ms) {
    const DWORD begin = GetTickCount();
    while (tempFiles() != before) {
        if (GetTickCount() - begin > ms) return false;
        Sleep(50);
    }
    return true;
}

std::map<std::string, LoopbackServer::Case> cases() {
    return {{"/ok/check/", {200, "*1.24", Mode::kReply}},
            {"/same/check/", {200, "*1.23 is current", Mode::kReply}},
            {"/short/check/", {200, "*1.2", Mode::kReply}},
            {"/nostar/check/", {200, "1.24x", Mode::kReply}},
            {"/bytes/check/", {200, "\x80\xff", Mode::kReply}},
            {"/flood/check/", {200, "", Mode::kFlood}},
            {"/silent/check/", {200, "", Mode::kSilent}}};
}

TEST(Downloader, FetchesEachReplyAndLeavesNoFile) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    const std::vector<std::wstring> before = tempFiles();
    struct Row {
        const char* path;
        bool done;
        std::wstring reply;
    } const rows[] = {
        {"/ok/check/", true, L"*1.24"},
        {"/same/check/", true, L"*1.23 is current"},
        {"/short/check/", true, L"*1.2"},
        {"/nostar/check/", true, L"1.24x"},
        {"/bytes/check/", true, std::wstring{wchar_t(0x80), wchar_t(0xFF)}},  // same values
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        DownloadFetcher fetcher;
        StrBuffer reply;
        EXPECT_EQ(fetcher.fetch(server.address(r.path).c_str(), 5000, &reply), r.done);
        EXPECT_EQ(tests::text(&reply), r.reply);
        ASSERT_FALSE(server.hits().empty());
        EXPECT_EQ(server.hits().back(), r.path);
    }
    EXPECT_TRUE(tempFilesBackTo(before, 2000));
}

TEST(Downloader, AFloodIsCappedAndRemoved) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    const std::vector<std::wstring> before = tempFiles();
    DownloadFetcher fetcher;
    StrBuffer reply;
    ASSERT_TRUE(fetcher.fetch(server.address("/flood/check/").c_str(), 8000, &reply));
    EXPECT_EQ(reply.length(), Downloader::kReplyCapBytes);
    EXPECT_TRUE(tempFilesBackTo(before, 2000));
}

TEST(Downloader, ASilentServerEndsTheFetchWithinItsLimit) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    const std::vector<std::wstring> before = tempFiles();
    {
        LoopbackServer server(cases());
        ASSERT_TRUE(server.started());
        DownloadFetcher fetcher;
        StrBuffer reply;
        const DWORD begin = GetTickCount();
        EXPECT_FALSE(fetcher.fetch(server.address("/silent/check/").c_str(), 1000, &reply));
        EXPECT_LT(GetTickCount() - begin, 1000u + 200u + 100u + 300u);
        EXPECT_EQ(reply.length(), 0u);
        EXPECT_EQ(server.hits(), std::vector<std::string>{"/silent/check/"});
    }
    // The server is gone, so the parked download ends by itself and removes its file.
    EXPECT_TRUE(tempFilesBackTo(before, 10000));
}

TEST(Downloader, OneThatMissedItsLimitStaysOutOfThePoolWhileItRuns) {
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    Downloader* late = s::thread::Pool<Downloader>::obtain();
    ASSERT_NE(late, nullptr);
    late->setUrl(server.address("/silent/check/").c_str());
    late->setOption(1);
    EXPECT_FALSE(late->download(400, 0, 0, nullptr));
    EXPECT_TRUE(late->isRunning());  // never killed: it ends when the transfer does
    late->releaseToPool();
    Downloader* next = s::thread::Pool<Downloader>::obtain();
    EXPECT_NE(next, late);
    next->releaseToPool();
}

TEST(Downloader, TheHttpPathTakesTheAgentAndCapsTheBody) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    const std::vector<std::wstring> before = tempFiles();
    struct Row {
        const char* path;
        bool done;
        std::wstring reply;
    } const rows[] = {
        {"/ok/check/", true, L"*1.24"},
        {"/flood/check/", false, L""},  // over the cap: refused whole
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        tests::Pooled<Downloader> downloader;
        downloader->setUrl(server.address(r.path).c_str());
        downloader->setAgent(L"test agent");
        downloader->setOption(1);
        EXPECT_EQ(downloader->download(8000, 0, 0, nullptr), r.done);
        EXPECT_EQ(tests::text(downloader->replyText()), r.reply);
    }
    EXPECT_TRUE(tempFilesBackTo(before, 2000));
}

// The reply's cap is the update check's: a file fetched with an agent or a referrer comes whole.
TEST(Downloader, AFileThroughTheHttpPathIsNotCapped) {
    const tests::PrivateTemp temp;
    ASSERT_TRUE(temp.ok());
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    struct Row {
        const char* why;
        const wchar_t* agent;
        const wchar_t* referrer;
    } const rows[] = {
        {"with an agent", L"test agent", nullptr},
        {"with a referrer", nullptr, L"http://127.0.0.1/from"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        tests::Pooled<Downloader> downloader;
        downloader->setUrl(server.address("/flood/check/").c_str());
        downloader->setAgent(r.agent);
        downloader->setReferrer(r.referrer);
        downloader->setOption(0);
        ASSERT_TRUE(downloader->download(20000, 0, 0, nullptr));
        const std::wstring target = tests::text(downloader->targetPath());
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(0u, data.nFileSizeHigh);
        EXPECT_GT(data.nFileSizeLow, Downloader::kReplyCapBytes);
        EXPECT_EQ(4u * 1024 * 1024, data.nFileSizeLow) << "the whole flood";
        EXPECT_EQ(0u, downloader->replyText()->length());
        DeleteFileW(target.c_str());  // option 0: the file is the caller's
    }
}

TEST(Downloader, OfflineMakesNoRequest) {
    struct Offline final : s::system::network::IOnlineTest {
        bool isOnline() override { return false; }
    } offline;
    LoopbackServer server(cases());
    ASSERT_TRUE(server.started());
    DownloadFetcher fetcher(&offline);
    StrBuffer reply;
    EXPECT_FALSE(fetcher.fetch(server.address("/ok/check/").c_str(), 1000, &reply));
    EXPECT_TRUE(server.hits().empty());
}

}  // namespace
