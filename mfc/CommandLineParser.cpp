// mfc/CommandLineParser.cpp
#include "mfc/CommandLineParser.h"

#include <windows.h>

#include <new>

#include "mfc/CCommandLineInfo.h"

namespace mfc {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

const wchar_t* skipBlanks(const wchar_t* at) {
    while (isBlank(*at)) ++at;
    return at;
}

}  // namespace

// The program name knows no escapes: a path cannot hold a quote, and a trailing backslash
// of a quoted folder must not swallow the closing quote.
const wchar_t* CommandLineParser::programName(const wchar_t* at, std::wstring* name) {
    bool quoted = false;
    for (; *at && (quoted || !isBlank(*at)); ++at) {
        if (*at == L'"') quoted = !quoted;
        else name->push_back(*at);
    }
    return at;
}

const wchar_t* CommandLineParser::argument(const wchar_t* at, std::wstring* text) {
    bool quoted = false;
    while (*at && (quoted || !isBlank(*at))) {
        unsigned slashes = 0;
        while (*at == L'\\') ++slashes, ++at;
        if (*at == L'"') {
            text->append(slashes / 2, L'\\');
            if (slashes % 2) {
                text->push_back(L'"');
            } else if (quoted && at[1] == L'"') {
                text->push_back(L'"');
                ++at;
            } else {
                quoted = !quoted;
            }
            ++at;
        } else {
            text->append(slashes, L'\\');
            if (*at && (quoted || !isBlank(*at))) text->push_back(*at++);
        }
    }
    return at;
}

// Each argument joins the list as soon as it begins, so a split cut short by memory keeps
// what it had.
void CommandLineParser::splitInto(const wchar_t* commandLine, Arguments* arguments) {
    arguments->emplace_back();
    const wchar_t* at = programName(skipBlanks(commandLine), &arguments->back());
    for (at = skipBlanks(at); *at; at = skipBlanks(at)) {
        arguments->emplace_back();
        at = argument(at, &arguments->back());
    }
}

bool CommandLineParser::split(const wchar_t* commandLine, Arguments* arguments) {
    if (!commandLine || !arguments) return false;
    // The standard strings report exhausted memory by throwing; the split answers false
    // instead, since nothing may unwind out of the program's start.
    try {
        splitInto(commandLine, arguments);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CommandLineParser::parse(const wchar_t* commandLine, CCommandLineInfo& info) {
    Arguments arguments;
    const bool whole = split(commandLine, &arguments);
    for (size_t i = 1; i < arguments.size(); ++i) {
        const wchar_t* text = arguments[i].c_str();
        const bool flag = text[0] == L'-' || text[0] == L'/';
        info.ParseParam(flag ? text + 1 : text, flag, i + 1 == arguments.size());
    }
    return whole;
}

bool CommandLineParser::parseOwn(CCommandLineInfo& info) { return parse(GetCommandLineW(), info); }

}  // namespace mfc
