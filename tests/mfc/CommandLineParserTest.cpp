// tests/mfc/CommandLineParserTest.cpp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mfc/CCommandLineInfo.h"
#include "mfc/CommandLineParser.h"

namespace {

using mfc::CommandLineParser;
using Texts = std::vector<std::wstring>;

Texts split(const wchar_t* line) {
    Texts list;
    EXPECT_TRUE(CommandLineParser::split(line, &list));
    return list;
}

TEST(CommandLineParser, SplitsRealCommandLines) {
    struct Row {
        const char* why;
        const wchar_t* line;
        Texts arguments;
    } const rows[] = {
        {"program alone", L"C:\\p\\x.exe", {L"C:\\p\\x.exe"}},
        {"quoted program with spaces", L"\"C:\\a b\\x.exe\" -a", {L"C:\\a b\\x.exe", L"-a"}},
        {"program name knows no escapes", L"\"C:\\a b\\\" y", {L"C:\\a b\\", L"y"}},
        {"quoted path stays one", L"x \"C:\\x y\" file", {L"x", L"C:\\x y", L"file"}},
        {"blanks and tabs between", L"x  a\t\tb  ", {L"x", L"a", L"b"}},
        {"empty argument kept", L"x \"\" b", {L"x", L"", L"b"}},
        {"backslashes not before a quote stay", L"x a\\\\b\\", {L"x", L"a\\\\b\\"}},
        {"2n backslashes before a quote give n", L"x \"a\\\\\" b", {L"x", L"a\\", L"b"}},
        {"2n+1 backslashes give n and a quote", L"x a\\\\\\\"b", {L"x", L"a\\\"b"}},
        {"escaped quote", L"x \\\"q\\\"", {L"x", L"\"q\""}},
        {"doubled quote inside quotes", L"x \"a\"\"b\"", {L"x", L"a\"b"}},
        {"quotes join into one argument", L"x a\"b c\"d", {L"x", L"ab cd"}},
        {"open quote runs to the end", L"x \"a b", {L"x", L"a b"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(split(r.line), r.arguments);
    }
}

struct Call {
    std::wstring param;
    bool flag;
    bool last;
    bool operator==(const Call& o) const {
        return param == o.param && flag == o.flag && last == o.last;
    }
};

class Recorder final : public mfc::CCommandLineInfo {
public:
    void ParseParam(const wchar_t* param, BOOL flag, BOOL last) override {
        calls.push_back({param, flag != FALSE, last != FALSE});
    }
    std::vector<Call> calls;
};

TEST(CommandLineParser, HandsEachArgumentAfterTheProgramName) {
    struct Row {
        const char* why;
        const wchar_t* line;
        std::vector<Call> calls;
    } const rows[] = {
        {"no arguments, no call", L"\"C:\\p\\x.exe\"", {}},
        {"slash and hyphen switches lose their mark", L"x /a -b",
         {{L"a", true, false}, {L"b", true, true}}},
        {"a file is no switch", L"x \"C:\\x y\"", {{L"C:\\x y", false, true}}},
        {"a lone hyphen is an empty switch", L"x -", {{L"", true, true}}},
        {"only the first mark is taken", L"x //x", {{L"/x", true, true}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Recorder recorder;
        EXPECT_TRUE(CommandLineParser::parse(r.line, recorder));
        EXPECT_EQ(recorder.calls, r.calls);
    }
}

}  // namespace
