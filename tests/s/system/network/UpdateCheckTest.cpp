// tests/s/system/network/UpdateCheckTest.cpp
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "s/reg/MappedData.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IOnlineTest.h"
#include "s/system/network/IPageOpener.h"
#include "s/system/network/IReplyFetcher.h"
#include "s/system/network/IUpdateAsker.h"
#include "s/system/network/IUpdateClock.h"
#include "s/system/network/IUpdateTexts.h"
#include "s/system/network/UpdateCheck.h"
#include "support/RegistryFixture.h"
#include "UpdateFakes.h"

namespace {

using s::system::network::UpdateCheck;
using Step = s::system::network::UpdateRule::Step;
using tests::Fakes;

constexpr uint32_t kBase = tests::kProductBase;
constexpr int32_t S = 490000;
constexpr int64_t kHourMs = 3600000;

class UpdateCheckTest : public tests::RegistryFixture {
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
    Step run() {
        UpdateCheck::Services services{&fakes, &fakes, &fakes, &fakes, &fakes, &fakes, m_store};
        UpdateCheck check(services, L"MainWindow", kBase);
        const Step step = check.run();
        offered = check.offered();
        return step;
    }
    void setStamp(int32_t hour) { m_store->setS32(L"MainWindow\\Version", L"Update", hour); }
    int32_t stamp() { return m_store->getS32(L"MainWindow\\Version", L"Update", -1); }

    Fakes fakes;
    bool offered = false;

private:
    s::reg::MappedData* m_store = nullptr;
};

TEST_F(UpdateCheckTest, FirstStartWritesTheHourWithoutAskingAnything) {
    fakes.now = S * kHourMs + 1234;
    EXPECT_EQ(run(), Step::kStampOnly);
    EXPECT_EQ(stamp(), S);
    EXPECT_EQ(fakes.fetches, 0);
    EXPECT_EQ(fakes.onlineAsked, 0);
}

TEST_F(UpdateCheckTest, WithoutTheGateTextNothingIsWritten) {
    fakes.texts.erase(400200);
    fakes.now = S * kHourMs;
    EXPECT_EQ(run(), Step::kNothing);
    EXPECT_EQ(stamp(), -1);
}

TEST_F(UpdateCheckTest, DueTimeVersionAndOnlineDecideTheRequest) {
    struct Row {
        const char* why;
        int32_t hoursLater;
        const wchar_t* version;
        bool online;
        int fetches;
        int32_t stampAfter;  // relative to S
    } const rows[] = {
        {"719 hours: nothing", 719, L"1.23", true, 0, 0},
        {"720 hours: asked", 720, L"1.23", true, 1, 720},
        {"offline: stamp stays", 720, L"1.23", false, 0, 0},
        {"pre-release: never asked", 720, L"1.234", true, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        setStamp(S);
        fakes.fetches = 0;
        fakes.texts[kBase + 10] = r.version;
        fakes.online = r.online;
        fakes.now = (S + r.hoursLater) * kHourMs;
        fakes.reply = L"*1.24";
        run();
        EXPECT_EQ(fakes.fetches, r.fetches);
        EXPECT_EQ(stamp(), S + r.stampAfter);
    }
}

TEST_F(UpdateCheckTest, AnOfferAsksAndYesOpensTheProductPage) {
    setStamp(S);
    fakes.now = (S + 720) * kHourMs;
    fakes.reply = L"*1.24";
    fakes.answerYes = true;
    EXPECT_EQ(run(), Step::kRequest);
    EXPECT_TRUE(offered);
    EXPECT_EQ(fakes.fetched, L"http://127.0.0.1/x/check/");
    EXPECT_EQ(fakes.title, L"There is improved version available.");
    EXPECT_EQ(fakes.message,
              L"There is improved version available. \r\nWould you like to check it out?");
    EXPECT_EQ(fakes.yesText, L"Yes");
    EXPECT_EQ(fakes.noText, L"No");
    EXPECT_EQ(fakes.checkText, L"Don't ask");
    EXPECT_FALSE(fakes.showCheck);
    EXPECT_EQ(fakes.opened, L"http://page/");
    EXPECT_EQ(stamp(), S + 720);
}

TEST_F(UpdateCheckTest, NoOfferNoQuestionAndTheStampIsStillWritten) {
    struct Row {
        const char* why;
        bool done;
        const wchar_t* reply;
    } const rows[] = {
        {"same version", true, L"*1.23"},
        {"short reply", true, L"*1.2"},
        {"no star", true, L"1.24x"},
        {"time-out", false, L""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        setStamp(S);
        fakes.now = (S + 720) * kHourMs;
        fakes.fetchDone = r.done;
        fakes.reply = r.reply;
        fakes.asked = 0;
        run();
        EXPECT_FALSE(offered);
        EXPECT_EQ(fakes.asked, 0);
        EXPECT_EQ(stamp(), S + 720);
    }
}

TEST_F(UpdateCheckTest, NoOpensNothing) {
    setStamp(S);
    fakes.now = (S + 720) * kHourMs;
    fakes.reply = L"*1.24";
    fakes.answerYes = false;
    run();
    EXPECT_EQ(fakes.asked, 1);
    EXPECT_EQ(fakes.opened, L"");
}

}  // namespace
