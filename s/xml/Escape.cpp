// s/xml/Escape.cpp
#include "s/xml/Escape.h"

#include <cwchar>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/XmlChars.h"

namespace s::xml {

namespace {

using s::str::strbuffer::StrBuffer;

struct Reference {
    wchar_t unit;
    const wchar_t* text;
    int length;
};

const Reference kAttributeEscapes[] = {
    {L'\n', L"&#10;", 5}, {L'\r', L"&#13;", 5}, {L'"', L"&quot;", 6}, {L'&', L"&amp;", 5}, {L'<', L"&lt;", 4}};
const Reference kTextEscapes[] = {{L'\n', L"&#10;", 5}, {L'\r', L"&#13;", 5}, {L' ', L"&#160;", 6},
                                  {L'&', L"&amp;", 5},  {L'<', L"&lt;", 4},   {L'>', L"&gt;", 4}};
const Reference kAttributeReferences[] = {
    {L'&', L"&amp;", 5}, {L'<', L"&lt;", 4}, {L'"', L"&quot;", 6}, {L'\r', L"&#13;", 5}, {L'\n', L"&#10;", 5}};
const Reference kTextReferences[] = {{L'&', L"&amp;", 5},   {L'<', L"&lt;", 4},   {L'>', L"&gt;", 4},
                                     {L' ', L"&#160;", 6}, {L'\r', L"&#13;", 5}, {L'\n', L"&#10;", 5}};

template <size_t N>
const Reference* escapeOf(const Reference (&table)[N], wchar_t c) {
    for (const Reference& r : table)
        if (r.unit == c) return &r;
    return nullptr;
}

template <size_t N>
const Reference* referenceAt(const Reference (&table)[N], const wchar_t* p, const wchar_t* end) {
    for (const Reference& r : table)
        if (startsWithAt(p, end, r.text, r.length)) return &r;
    return nullptr;
}

const wchar_t* textEnd(const wchar_t* text, int32_t count) {
    return text + (count < 0 ? std::wcslen(text) : static_cast<size_t>(count));
}

// Plain runs are appended whole: most texts hold few characters to escape.
template <size_t N>
bool escape(const Reference (&table)[N], const wchar_t* text, int32_t count, StrBuffer* out, bool append) {
    if (!append) out->clear();
    if (!text) return true;
    const wchar_t* end = textEnd(text, count);
    const wchar_t* run = text;
    for (const wchar_t* p = text; p < end; ++p) {
        const Reference* r = escapeOf(table, *p);
        if (!r) continue;
        if (!out->append(run, static_cast<int32_t>(p - run)) || !out->append(r->text, r->length)) return false;
        run = p + 1;
    }
    return out->append(run, static_cast<int32_t>(end - run));
}

// Decodes from p to end; answers the length of `out` just after the last decoded
// reference (its start length when there was none), which the text rule never trims.
template <size_t N>
bool unescape(const Reference (&table)[N], const wchar_t* p, const wchar_t* end, StrBuffer* out, uint32_t* kept) {
    const wchar_t* run = p;
    while (p < end) {
        const Reference* r = *p == L'&' ? referenceAt(table, p, end) : nullptr;
        if (!r) {
            ++p;
            continue;
        }
        if (!out->append(run, static_cast<int32_t>(p - run)) || !out->appendChar(r->unit)) return false;
        *kept = out->length();
        p += r->length;
        run = p;
    }
    return out->append(run, static_cast<int32_t>(end - run));
}

}  // namespace

bool xmlEscapeAttribute(const wchar_t* text, int32_t count, StrBuffer* out, bool append) {
    return escape(kAttributeEscapes, text, count, out, append);
}

bool xmlEscapeText(const wchar_t* text, int32_t count, StrBuffer* out, bool append) {
    return escape(kTextEscapes, text, count, out, append);
}

bool xmlUnescapeAttribute(const wchar_t* text, int32_t count, StrBuffer* out, bool append) {
    if (!append) out->clear();
    if (!text) return true;
    uint32_t kept = out->length();
    return unescape(kAttributeReferences, text, textEnd(text, count), out, &kept);
}

bool xmlUnescapeText(const wchar_t* text, int32_t count, StrBuffer* out, bool append) {
    if (!append) out->clear();
    if (!text) return true;
    uint32_t kept = out->length();
    const wchar_t* end = textEnd(text, count);
    if (!unescape(kTextReferences, skipSpace(text, end), end, out, &kept)) return false;
    out->trimEndWhitespaceKeeping(kept);
    return true;
}

}  // namespace s::xml
