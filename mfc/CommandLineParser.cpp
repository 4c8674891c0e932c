// mfc/CommandLineParser.cpp
#include "mfc/CommandLineParser.h"

#include <windows.h>

#include "mfc/CCommandLineInfo.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace mfc {

using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

const wchar_t* skipBlanks(const wchar_t* at) {
    while (isBlank(*at)) ++at;
    return at;
}

}  // namespace

// The program name knows no escapes: a path cannot hold a quote, and a trailing backslash
// of a quoted folder must not swallow the closing quote.
const wchar_t* CommandLineParser::programName(const wchar_t* at, StrBuffer* name) {
    bool quoted = false;
    for (; *at && (quoted || !isBlank(*at)); ++at) {
        if (*at == L'"') quoted = !quoted;
        else if (!name->appendChar(*at)) return nullptr;
    }
    return at;
}

const wchar_t* CommandLineParser::argument(const wchar_t* at, StrBuffer* text, bool* ok) {
    bool quoted = false;
    *ok = true;
    while (*at && (quoted || !isBlank(*at))) {
        unsigned slashes = 0;
        while (*at == L'\\') ++slashes, ++at;
        if (*at == L'"') {
            for (unsigned i = 0; i < slashes / 2; ++i) *ok = *ok && text->appendChar(L'\\');
            if (slashes % 2) {
                *ok = *ok && text->appendChar(L'"');
            } else if (quoted && at[1] == L'"') {
                *ok = *ok && text->appendChar(L'"');
                ++at;
            } else {
                quoted = !quoted;
            }
            ++at;
        } else {
            for (unsigned i = 0; i < slashes; ++i) *ok = *ok && text->appendChar(L'\\');
            if (*at && (quoted || !isBlank(*at))) *ok = *ok && text->appendChar(*at++);
        }
        if (!*ok) return nullptr;
    }
    return at;
}

bool CommandLineParser::split(const wchar_t* commandLine, StrArray* arguments) {
    if (!commandLine || !arguments) return false;
    StrBuffer* name = s::str::strbuffer::newStrBuffer(L"");
    if (!name) return false;
    const wchar_t* at = programName(skipBlanks(commandLine), name);
    if (!arguments->addBuffer(name) || !at) return false;
    for (at = skipBlanks(at); *at; at = skipBlanks(at)) {
        StrBuffer* text = s::str::strbuffer::newStrBuffer(L"");
        if (!text) return false;
        bool ok = false;
        at = argument(at, text, &ok);
        if (!arguments->addBuffer(text) || !ok) return false;
    }
    return true;
}

bool CommandLineParser::parse(const wchar_t* commandLine, CCommandLineInfo& info) {
    StrArray arguments;
    const bool whole = split(commandLine, &arguments);
    for (uint32_t i = 1; i < arguments.count(); ++i) {
        const wchar_t* text = arguments.at(i)->cString();
        const bool flag = text[0] == L'-' || text[0] == L'/';
        info.ParseParam(flag ? text + 1 : text, flag, i + 1 == arguments.count());
    }
    return whole;
}

bool CommandLineParser::parseOwn(CCommandLineInfo& info) { return parse(GetCommandLineW(), info); }

}  // namespace mfc
