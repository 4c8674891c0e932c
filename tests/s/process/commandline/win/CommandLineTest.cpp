// tests/s/process/commandline/win/CommandLineTest.cpp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mfc/CommandLineParser.h"
#include "s/process/commandline/win/CommandLine.h"
#include "support/Pooled.h"

namespace {

using s::process::commandline::win::CommandLine;
using tests::Pooled;
using Texts = std::vector<std::wstring>;

Texts parameters(const CommandLine& line) {
    Texts out;
    for (uint32_t i = 0; i < line.count(); ++i) out.push_back(line.parameterAt(i));
    return out;
}

TEST(CommandLine, KeepsParametersInOrder) {
    struct Row {
        const char* why;
        const wchar_t* line;
        Texts parameters;
    } const rows[] = {
        {"without arguments the count is 0", L"x.exe", {}},
        {"slash and hyphen give the hyphen form", L"x.exe /hide -hide", {L"-hide", L"-hide"}},
        {"a path keeps its place", L"x.exe -a \"C:\\x y\" file", {L"-a", L"C:\\x y", L"file"}},
        {"a lone hyphen stays", L"x.exe -", {L"-"}},
        {"a doubled slash keeps the second", L"x.exe //x", {L"-/x"}},
        {"an empty argument is a parameter", L"x.exe \"\"", {L""}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<CommandLine> line;
        ASSERT_TRUE(mfc::CommandLineParser::parse(r.line, *line));
        EXPECT_EQ(parameters(*line), r.parameters);
        EXPECT_EQ(line->parameterCount(), r.parameters.size());
    }
}

TEST(CommandLine, OutsideTheListIsEmptyAndThePoolEmptiesIt) {
    Pooled<CommandLine> line;
    line->ParseParam(L"a", TRUE, TRUE);
    EXPECT_STREQ(line->parameterAt(0), L"-a");
    EXPECT_STREQ(line->parameterAt(1), L"");
    EXPECT_STREQ(line->classId(), L"s_process_commandline_win_CommandLine");
    line->resetForReuse();
    EXPECT_EQ(line->count(), 0u);
}

}  // namespace
