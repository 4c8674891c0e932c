// tests/s/system/network/UpdateRuleTest.cpp
#include <gtest/gtest.h>

#include <wchar.h>

#include "s/system/network/UpdateRule.h"

namespace {

using s::system::network::UpdateRule;
using Step = UpdateRule::Step;

constexpr int32_t S = 490000;  // an hour in 2025

TEST(UpdateRule, DecisionTable) {
    struct Row {
        const char* why;
        bool enabled;
        int32_t stamp;
        int32_t now;
        const wchar_t* version;
        int online;
        Step step;
    } const rows[] = {
        {"no gate text: nothing at all", false, S, S + 720, L"1.23", 1, Step::kNothing},
        {"no gate text, first start: nothing", false, 0, S, L"1.23", 1, Step::kNothing},
        {"first start: stamp only, online not asked", true, 0, S, L"1.23", 0, Step::kStampOnly},
        {"first start offline: stamp still written", true, 0, S, L"1.23", -1, Step::kStampOnly},
        {"first start with a pre-release: stamp", true, 0, S, L"1.234", 0, Step::kStampOnly},
        {"719 hours: not due", true, S, S + 719, L"1.23", 1, Step::kNothing},
        {"720 hours, not asked yet: ask online", true, S, S + 720, L"1.23", 0, Step::kAskOnline},
        {"720 hours online: request", true, S, S + 720, L"1.23", 1, Step::kRequest},
        {"much later online: request", true, S, S + 100000, L"1.23", 1, Step::kRequest},
        {"720 hours offline: nothing", true, S, S + 720, L"1.23", -1, Step::kNothing},
        {"one character after the dot", true, S, S + 720, L"1.2", 1, Step::kNothing},
        {"three characters after the dot", true, S, S + 720, L"1.234", 1, Step::kNothing},
        {"empty version", true, S, S + 720, L"", 1, Step::kNothing},
        {"no dot at all", true, S, S + 720, L"12", 1, Step::kNothing},
        {"a stamp in the future waits", true, S + 5000, S, L"1.23", 1, Step::kNothing},
        {"a huge stamp does not overflow", true, 0x7FFFFFF0, S, L"1.23", 1, Step::kNothing},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(UpdateRule::decide(r.enabled, r.stamp, r.now, r.version, r.online), r.step);
    }
}

TEST(UpdateRule, ReplyTable) {
    struct Row {
        const char* why;
        bool done;
        const wchar_t* reply;
        bool offers;
    } const rows[] = {
        {"a newer version", true, L"*1.24", true},
        {"the same version", true, L"*1.23", false},
        {"the version inside other text", true, L"*xx1.23yy", false},
        {"the version with a line end", true, L"*1.23\r\n", false},
        {"four characters offer nothing", true, L"*1.2", false},
        {"no star", true, L"1.24x", false},
        {"not done: a time-out", false, L"*1.24", false},
        {"empty reply", true, L"", false},
        {"the version at the very end", true, L"*new 1.23", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(UpdateRule::offersUpdate(r.done, r.reply, static_cast<uint32_t>(wcslen(r.reply)),
                                           L"1.23"),
                  r.offers);
    }
}

TEST(UpdateRule, ReplyIsReadByItsLengthNotItsZero) {
    const wchar_t reply[] = {L'*', L'1', L'.', L'2', L'4', 0, L'1', L'.', L'2', L'3'};
    EXPECT_FALSE(UpdateRule::offersUpdate(true, reply, 10, L"1.23"));
    EXPECT_TRUE(UpdateRule::offersUpdate(true, reply, 5, L"1.23"));
}

TEST(UpdateRule, HoursAreWholeHoursSince1970) {
    EXPECT_EQ(UpdateRule::hoursOf(0), 0);
    EXPECT_EQ(UpdateRule::hoursOf(3599999), 0);
    EXPECT_EQ(UpdateRule::hoursOf(3600000), 1);
    EXPECT_EQ(UpdateRule::hoursOf(1765000000000LL), 490277);
}

}  // namespace
