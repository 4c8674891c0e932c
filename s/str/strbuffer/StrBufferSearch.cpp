// s/str/strbuffer/StrBufferSearch.cpp
//
// Searching, region matching, trimming, replacing and splitting. Each exact and
// ignore-case pair shares one body with a fold flag; ignore-case folds A-Z only.
#include "s/str/strbuffer/StrBuffer.h"

#include <cstring>
#include <cwchar>

#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/AsciiCase.h"
#include "s/thread/Pool.h"

namespace s::str::strbuffer {

namespace {

const wchar_t kWhitespace[] = L" \n\x3000\t\r";
constexpr int32_t kWhitespaceCount = 5;

uint32_t textLength(const wchar_t* text, int32_t count) {
    if (!text) return 0;
    return count < 0 ? static_cast<uint32_t>(std::wcslen(text)) : static_cast<uint32_t>(count);
}

wchar_t folded(wchar_t c, bool fold) { return fold ? lowerAscii(c) : c; }

bool inSet(wchar_t c, const wchar_t* set, uint32_t n, bool fold) {
    c = folded(c, fold);
    for (uint32_t i = 0; i < n; ++i)
        if (folded(set[i], fold) == c) return true;
    return false;
}

bool unitsEqual(const wchar_t* a, const wchar_t* b, uint32_t n, bool fold) {
    return fold ? compareFolded(a, b, n) == 0 : std::wmemcmp(a, b, n) == 0;
}

// The first unit from `from` on, or the last before `end`, that matches.
template <class Match>
bool scanForward(const wchar_t* units, uint32_t length, uint32_t from, uint32_t* out, Match match) {
    for (uint32_t i = from; i < length; ++i) {
        if (match(units[i])) {
            if (out) *out = i;
            return true;
        }
    }
    return false;
}

template <class Match>
bool scanBackward(const wchar_t* units, uint32_t end, uint32_t* out, Match match) {
    for (uint32_t i = end; i-- > 0;) {
        if (match(units[i])) {
            if (out) *out = i;
            return true;
        }
    }
    return false;
}

}  // namespace

// One search routine per shape. The backward ones take an end already resolved by
// searchEnd, so that a position of 0xFFFFFF inside a long string keeps its meaning.

uint32_t StrBuffer::searchEnd(uint32_t end) const { return end == kEnd || end > m_length ? m_length : end; }

bool StrBuffer::searchUnit(wchar_t ch, uint32_t* out, uint32_t from, bool fold) const {
    ch = folded(ch, fold);
    return scanForward(m_chars, m_length, from, out, [&](wchar_t c) { return folded(c, fold) == ch; });
}

bool StrBuffer::searchLastUnit(wchar_t ch, uint32_t* out, uint32_t end, bool fold) const {
    ch = folded(ch, fold);
    return scanBackward(m_chars, end < m_length ? end : m_length, out,
                        [&](wchar_t c) { return folded(c, fold) == ch; });
}

bool StrBuffer::searchAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t from,
                          bool fold) const {
    const uint32_t n = textLength(set, setCount);
    return scanForward(m_chars, m_length, from, out, [&](wchar_t c) { return inSet(c, set, n, fold); });
}

bool StrBuffer::searchLastAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t end,
                              bool fold) const {
    const uint32_t n = textLength(set, setCount);
    return scanBackward(m_chars, end < m_length ? end : m_length, out,
                        [&](wchar_t c) { return inSet(c, set, n, fold); });
}

// An empty text is found nowhere. The whole content is searched, embedded zeros included.
bool StrBuffer::search(const wchar_t* text, uint32_t* out, uint32_t from, bool fold) const {
    const uint32_t n = textLength(text, -1);
    if (n == 0 || n > m_length || from > m_length - n) return false;
    for (uint32_t i = from; searchUnit(text[0], &i, i, fold) && i <= m_length - n; ++i) {
        if (unitsEqual(m_chars + i, text, n, fold)) {
            if (out) *out = i;
            return true;
        }
    }
    return false;
}

// The last occurrence that ends at or before `end`.
bool StrBuffer::searchLast(const wchar_t* text, uint32_t* out, uint32_t end, bool fold) const {
    const uint32_t n = textLength(text, -1);
    const uint32_t limit = searchEnd(end);
    if (n == 0 || n > limit) return false;
    for (uint32_t i = limit - n + 1; searchLastUnit(text[0], &i, i, fold);) {
        if (unitsEqual(m_chars + i, text, n, fold)) {
            if (out) *out = i;
            return true;
        }
    }
    return false;
}

bool StrBuffer::indexOf(wchar_t ch, uint32_t* out, uint32_t from) const {
    return searchUnit(ch, out, from, false);
}
bool StrBuffer::indexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t from) const {
    return searchUnit(ch, out, from, true);
}
bool StrBuffer::indexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t from) const {
    return searchAny(set, setCount, out, from, false);
}
bool StrBuffer::indexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                                     uint32_t from) const {
    return searchAny(set, setCount, out, from, true);
}
bool StrBuffer::lastIndexOf(wchar_t ch, uint32_t* out, uint32_t end) const {
    return searchLastUnit(ch, out, searchEnd(end), false);
}
bool StrBuffer::lastIndexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t end) const {
    return searchLastUnit(ch, out, searchEnd(end), true);
}
bool StrBuffer::lastIndexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t end) const {
    return searchLastAny(set, setCount, out, searchEnd(end), false);
}
bool StrBuffer::lastIndexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                                         uint32_t end) const {
    return searchLastAny(set, setCount, out, searchEnd(end), true);
}
bool StrBuffer::find(const wchar_t* text, uint32_t* out, uint32_t from) const {
    return search(text, out, from, false);
}
bool StrBuffer::findIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t from) const {
    return search(text, out, from, true);
}
bool StrBuffer::findLast(const wchar_t* text, uint32_t* out, uint32_t end) const {
    return searchLast(text, out, end, false);
}
bool StrBuffer::findLastIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t end) const {
    return searchLast(text, out, end, true);
}

// Region matching

bool StrBuffer::matchesAt(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t count,
                          bool fold) const {
    if (!text) return false;
    const uint32_t n = textLength(text + textIndex, count);
    if (static_cast<uint64_t>(index) + n > m_length) return false;
    if (count < 0 && index + n != m_length) return false;
    return n == 0 || unitsEqual(m_chars + index, text + textIndex, n, fold);
}

bool StrBuffer::regionMatches(uint32_t index, const wchar_t* text, uint32_t textIndex,
                              int32_t count) const {
    return matchesAt(index, text, textIndex, count, false);
}

bool StrBuffer::regionMatchesIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                        int32_t count) const {
    return matchesAt(index, text, textIndex, count, true);
}

// A count of -1 is the text's length here, so that startsWith(t, -1) tests a prefix.
bool StrBuffer::edgeMatches(const wchar_t* text, int32_t count, bool atEnd, bool fold) const {
    if (!text) return false;
    const uint32_t n = textLength(text, count);
    if (n > m_length) return false;
    return matchesAt(atEnd ? m_length - n : 0, text, 0, static_cast<int32_t>(n), fold);
}

bool StrBuffer::endsWith(const wchar_t* text, int32_t count) const {
    return edgeMatches(text, count, true, false);
}
bool StrBuffer::endsWithIgnoreCase(const wchar_t* text, int32_t count) const {
    return edgeMatches(text, count, true, true);
}
bool StrBuffer::startsWith(const wchar_t* text, int32_t count) const {
    return edgeMatches(text, count, false, false);
}
bool StrBuffer::startsWithIgnoreCase(const wchar_t* text, int32_t count) const {
    return edgeMatches(text, count, false, true);
}

// Like the run-time library's wcscmp/wcsncmp on the units from index, whose end counts as
// a zero unit: comparing stops at the first difference or at a zero unit on both sides.
int32_t StrBuffer::compareFrom(uint32_t index, const wchar_t* text, uint32_t textIndex,
                               int32_t count, bool fold) const {
    if (index > m_length || !text) return -1;
    text += textIndex;
    for (uint32_t i = 0; count < 0 || i < static_cast<uint32_t>(count); ++i) {
        wchar_t a = index + i < m_length ? folded(m_chars[index + i], fold) : 0;
        wchar_t b = folded(text[i], fold);
        if (a != b) return a < b ? -1 : 1;
        if (a == 0) break;
    }
    return 0;
}

int32_t StrBuffer::compareAt(uint32_t index, const wchar_t* text, uint32_t textIndex,
                             int32_t count) const {
    return compareFrom(index, text, textIndex, count, false);
}

int32_t StrBuffer::compareAtIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                       int32_t count) const {
    return compareFrom(index, text, textIndex, count, true);
}

// Trimming

void StrBuffer::trimEndIn(const wchar_t* set, int32_t setCount, uint32_t keep) {
    const uint32_t n = textLength(set, setCount);
    while (m_length > keep && inSet(m_chars[m_length - 1], set, n, false)) --m_length;
}

void StrBuffer::trimEnd(const wchar_t* set, int32_t setCount) { trimEndIn(set, setCount, 0); }

void StrBuffer::trimEndKeeping(const wchar_t* set, uint32_t keep, int32_t setCount) {
    trimEndIn(set, setCount, keep);
}

void StrBuffer::trimEndWhitespace() { trimEndIn(kWhitespace, kWhitespaceCount, 0); }

void StrBuffer::trimEndWhitespaceKeeping(uint32_t keep) { trimEndIn(kWhitespace, kWhitespaceCount, keep); }

void StrBuffer::trimStart(const wchar_t* set, int32_t setCount) {
    const uint32_t n = textLength(set, setCount);
    uint32_t lead = 0;
    while (lead < m_length && inSet(m_chars[lead], set, n, false)) ++lead;
    if (lead) keepRange(lead, m_length);
}

void StrBuffer::trimStartWhitespace() { trimStart(kWhitespace, kWhitespaceCount); }

// Replacing. A find or replacement text inside this string is copied first: the content
// changes under it.

uint32_t StrBuffer::replace(const wchar_t* find, const wchar_t* replacement, bool fold) {
    if (isInsideBlock(find) || isInsideBlock(replacement)) {
        StrBuffer findCopy, replacementCopy;
        if (!findCopy.append(find, static_cast<int32_t>(sourceLength(find, -1))) ||
            !replacementCopy.append(replacement, static_cast<int32_t>(sourceLength(replacement, -1))))
            return 0;
        return replace(findCopy.cString(), replacementCopy.cString(), fold);
    }
    const uint32_t findLength = textLength(find, -1);
    const uint32_t replacementLength = textLength(replacement, -1);
    if (findLength == 0) return 0;
    if (replacementLength > findLength)
        return replaceGrowing(find, findLength, replacement, replacementLength, fold);
    // Not longer: the content is rewritten in place, the write position never passing the
    // read position.
    uint32_t count = 0, read = 0, write = 0, at = 0;
    while (search(find, &at, read, fold)) {
        std::memmove(m_chars + write, m_chars + read, (at - read) * sizeof(wchar_t));
        write += at - read;
        std::memcpy(m_chars + write, replacement, replacementLength * sizeof(wchar_t));
        write += replacementLength;
        read = at + findLength;
        ++count;
    }
    if (count) {
        std::memmove(m_chars + write, m_chars + read, (m_length - read) * sizeof(wchar_t));
        m_length = write + (m_length - read);
    }
    return count;
}

// Longer: the new content is built in a pooled string whose block then changes places with
// this one's; nothing changes when memory runs out.
uint32_t StrBuffer::replaceGrowing(const wchar_t* find, uint32_t findLength,
                                   const wchar_t* replacement, uint32_t replacementLength, bool fold) {
    StrBuffer* built = s::thread::Pool<StrBuffer>::obtain();
    if (!built) return 0;
    uint32_t count = 0, read = 0, at = 0;
    bool ok = true;
    while (ok && search(find, &at, read, fold)) {
        ok = built->append(m_chars + read, static_cast<int32_t>(at - read)) &&
             built->append(replacement, static_cast<int32_t>(replacementLength));
        read = at + findLength;
        ++count;
    }
    ok = ok && built->append(m_chars + read, static_cast<int32_t>(m_length - read));
    if (ok && count) swapContent(*built);
    built->releaseToPool();
    return ok ? count : 0;
}

uint32_t StrBuffer::replaceAll(const wchar_t* find, const wchar_t* replacement) {
    return replace(find, replacement, false);
}

uint32_t StrBuffer::replaceAllIgnoreCase(const wchar_t* find, const wchar_t* replacement) {
    return replace(find, replacement, true);
}

// Prefixes up to a last occurrence

StrBuffer* StrBuffer::prefixTo(bool found, uint32_t index) const {
    return found ? substring(0, index) : s::thread::Pool<StrBuffer>::obtain();
}

StrBuffer* StrBuffer::prefixToLastChar(wchar_t ch, uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLastUnit(ch, &at, searchEnd(end), false);
    return prefixTo(found, at);
}
StrBuffer* StrBuffer::prefixToLastCharIgnoreCase(wchar_t ch, uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLastUnit(ch, &at, searchEnd(end), true);
    return prefixTo(found, at);
}
StrBuffer* StrBuffer::prefixToLastAny(const wchar_t* set, int32_t setCount, uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLastAny(set, setCount, &at, searchEnd(end), false);
    return prefixTo(found, at);
}
StrBuffer* StrBuffer::prefixToLastAnyIgnoreCase(const wchar_t* set, int32_t setCount,
                                                uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLastAny(set, setCount, &at, searchEnd(end), true);
    return prefixTo(found, at);
}
StrBuffer* StrBuffer::prefixToLastString(const wchar_t* text, uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLast(text, &at, end, false);
    return prefixTo(found, at);
}
StrBuffer* StrBuffer::prefixToLastStringIgnoreCase(const wchar_t* text, uint32_t end) const {
    uint32_t at = 0;
    const bool found = searchLast(text, &at, end, true);
    return prefixTo(found, at);
}

// Splitting

s::str::strarray::StrArray* StrBuffer::split(wchar_t ch) const {
    s::str::strarray::StrArray* pieces = s::thread::Pool<s::str::strarray::StrArray>::obtain();
    if (!pieces) return nullptr;
    for (uint32_t start = 0, at = 0; start < m_length; start = at + 1) {
        if (!searchUnit(ch, &at, start, false)) at = m_length;
        if (at > start && !pieces->addBuffer(substring(start, at))) break;
    }
    return pieces;
}

namespace {

// CJK and full-width punctuation that ends a word although it lies above U+00FF.
bool isWideBreak(wchar_t c) {
    return (c >= 0x3000 && c <= 0x3002) || c == 0x300C || c == 0x300D || c == 0x3010 ||
           c == 0x3011 || c == 0xFF08 || c == 0xFF09;
}

bool isWordUnit(wchar_t c) {
    if (c > 255) return !isWideBreak(c);
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           c == L'%' || c == L'+' || c == L'-';
}

bool isStopWord(const StrBuffer& word) {
    static const wchar_t* const kStopWords[] = {L"the", L"of", L"and"};
    for (const wchar_t* stop : kStopWords)
        if (word.length() == std::wcslen(stop) && word.startsWithIgnoreCase(stop)) return true;
    return false;
}

}  // namespace

// Every word is tested against the stop words, not only the last one.
s::str::strarray::StrArray* StrBuffer::distinctWords(bool skipStopWords) const {
    s::str::strarray::StrArray* words = s::thread::Pool<s::str::strarray::StrArray>::obtain();
    if (!words) return nullptr;
    uint32_t i = 0;
    while (i < m_length) {
        if (!isWordUnit(m_chars[i])) {
            ++i;
            continue;
        }
        uint32_t start = i;
        while (i < m_length && isWordUnit(m_chars[i])) ++i;
        StrBuffer* word = substring(start, i);
        if (!word) break;
        if ((skipStopWords && isStopWord(*word)) || words->find(word, nullptr))
            word->releaseToPool();
        else
            words->addBuffer(word);
    }
    return words;
}

}  // namespace s::str::strbuffer
