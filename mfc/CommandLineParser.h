// mfc/CommandLineParser.h
//
// Splits a command line into arguments by the rules of the C run-time (quotes group,
// 2n backslashes before a quote give n and toggle quoting, 2n+1 give n and a literal quote,
// "" inside quotes is a literal quote) and hands every argument after the program name to a
// CCommandLineInfo. Pure apart from parseOwn, so a table of real command lines tests it.
// Failure: memory that runs out ends the split (false); what was split stays in the list.
#pragma once
#include <string>
#include <vector>

namespace mfc {

class CCommandLineInfo;

class CommandLineParser {
public:
    using Arguments = std::vector<std::wstring>;

    // The arguments of commandLine, the program name first, appended to arguments.
    static bool split(const wchar_t* commandLine, Arguments* arguments);
    // ParseParam for each argument after the program name: flag when it begins with '-' or
    // '/' (then passed without that character), last for the final one.
    static bool parse(const wchar_t* commandLine, CCommandLineInfo& info);
    // The same for the running program's own command line (GetCommandLineW).
    static bool parseOwn(CCommandLineInfo& info);

private:
    static const wchar_t* programName(const wchar_t* at, std::wstring* name);
    static const wchar_t* argument(const wchar_t* at, std::wstring* text);
    static void splitInto(const wchar_t* commandLine, Arguments* arguments);
};

}  // namespace mfc
