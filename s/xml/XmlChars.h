// s/xml/XmlChars.h
//
// The character scans of the parser and the escapers. Every scan stops at `end` at the
// latest, so no input makes one read past its text.
#pragma once

namespace s::xml {

inline bool isXmlSpace(wchar_t c) { return c == L'\t' || c == L'\n' || c == L'\r' || c == L' '; }

inline const wchar_t* skipSpace(const wchar_t* p, const wchar_t* end) {
    while (p < end && isXmlSpace(*p)) ++p;
    return p;
}

// The first `c` from p, or end.
inline const wchar_t* findChar(const wchar_t* p, const wchar_t* end, wchar_t c) {
    while (p < end && *p != c) ++p;
    return p;
}

// Whether the `n` units of `word` lie at p, wholly before end.
inline bool startsWithAt(const wchar_t* p, const wchar_t* end, const wchar_t* word, int n) {
    if (end - p < n) return false;
    for (int i = 0; i < n; ++i)
        if (p[i] != word[i]) return false;
    return true;
}

}  // namespace s::xml
