// tests/s/reg/win/UserSidTest.cpp
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "s/reg/win/UserSid.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::str::strbuffer::StrBuffer;
using tests::text;

// A SID built by hand: revision 1, the given authority bytes and sub-authorities.
std::vector<uint8_t> makeSid(const BYTE (&authority)[6], const std::vector<DWORD>& subs) {
    std::vector<uint8_t> sid(8 + 4 * subs.size());
    sid[0] = 1;
    sid[1] = static_cast<uint8_t>(subs.size());
    for (int i = 0; i < 6; ++i) sid[2 + i] = authority[i];
    for (size_t i = 0; i < subs.size(); ++i) memcpy(&sid[8 + 4 * i], &subs[i], 4);
    return sid;
}

TEST(UserSidTest, SidTextInTheUsualForm) {
    const BYTE nt[6] = {0, 0, 0, 0, 0, 5};
    const BYTE wide[6] = {0, 0, 0x12, 0x34, 0x56, 0x78};
    const BYTE high[6] = {0, 1, 0, 0, 0, 2};
    struct Row {
        std::vector<uint8_t> sid;
        std::wstring text;
        const char* why;
        bool crossCheck = true;
    } rows[] = {
        {makeSid(nt, {21, 1, 2, 3, 1000}), L"S-1-5-21-1-2-3-1000", "a user"},
        {makeSid(nt, {18}), L"S-1-5-18", "local system"},
        {makeSid(wide, {7}), L"S-1-305419896-7", "the low 32 bits in decimal"},
        {makeSid(high, {7}), L"S-1-0x000100000002-7", "a high byte set: hexadecimal",
         false},  // Wine 8.0's ConvertSidToStringSidW refuses such an authority (checked)
        {makeSid(nt, std::vector<DWORD>(15, 4294967295u)),
         L"S-1-5" + [] {
             std::wstring s;
             for (int i = 0; i < 15; ++i) s += L"-4294967295";
             return s;
         }(),
         "fifteen sub-authorities: longer than 128 units"},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.why);
        StrBuffer out;
        out.setText(L"<");
        ASSERT_TRUE(s::reg::win::appendSidText(&out, row.sid.data()));
        EXPECT_EQ(L"<" + row.text, text(&out));
        if (!row.crossCheck) continue;
        wchar_t* system = nullptr;
        ASSERT_TRUE(ConvertSidToStringSidW(row.sid.data(), &system));
        EXPECT_EQ(std::wstring(system), row.text) << "as the system writes it";
        LocalFree(system);
    }
    std::vector<uint8_t> broken = makeSid(nt, {1});
    broken[0] = 9;
    StrBuffer out;
    EXPECT_FALSE(s::reg::win::appendSidText(&out, broken.data()));
    EXPECT_EQ(0u, out.length());
}

TEST(UserSidTest, TheCurrentUser) {
    StrBuffer sid;
    uint32_t error = 0;
    ASSERT_TRUE(s::reg::win::currentUserSidText(&sid, &error));
    EXPECT_EQ(0u, error);
    EXPECT_EQ(0u, text(&sid).find(L"S-1-"));
}

// No test of this program may show a box: it would wait for a click that never comes.
void failOnBox(const wchar_t* caption, const wchar_t* message) {
    ADD_FAILURE() << "a registry message box: " << testing::PrintToString(std::wstring(caption)) << " "
                  << testing::PrintToString(std::wstring(message));
}
class NoMessageBoxes : public ::testing::Environment {
public:
    void SetUp() override { s::reg::win::setRegistryMessageFunction(&failOnBox); }
};
::testing::Environment* const g_noBoxes = ::testing::AddGlobalTestEnvironment(new NoMessageBoxes);

std::wstring g_caption, g_text;
int g_boxes = 0;
void recordBox(const wchar_t* caption, const wchar_t* message) {
    ++g_boxes;
    g_caption = caption;
    g_text = message;
}

TEST(UserSidTest, FailuresAreShownThroughTheMessageSeam) {
    auto previous = s::reg::win::setRegistryMessageFunction(&recordBox);
    s::reg::win::reportRegistryError(ERROR_ACCESS_DENIED);
    s::reg::win::setRegistryMessageFunction(previous);
    EXPECT_EQ(1, g_boxes);
    EXPECT_EQ(L"Registry: Message...", g_caption);
    EXPECT_EQ(0u, g_text.find(L"Error( 5 [0x       5L] ) - ")) << testing::PrintToString(g_text);

    StrBuffer out;
    s::reg::win::formatRegistryError(0xC0000034, &out);
    EXPECT_EQ(0u, text(&out).find(L"Error( 3221225524 [0xC0000034L] ) - "));
    s::reg::win::formatRegistryError(0x2B2B2B2B, &out);
    EXPECT_EQ(L"Error( 724249387 [0x2B2B2B2BL] ) - No NT Error Data", text(&out));
}

}  // namespace
