// tests/s/str/strbuffer/StrBufferSearchTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::str::strbuffer::StrBuffer;
using tests::Pooled;
using tests::text;

constexpr uint32_t kEnd = StrBuffer::kEnd;
constexpr uint32_t kMiss = 0xDEAD;  // a miss leaves the out index as it was

// Every search over "abcABCabc", found index or kMiss.
TEST(StrBufferSearch, Searches) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"abcABCabc"));
    struct Row {
        const char* why;
        std::function<bool(const StrBuffer&, uint32_t*)> search;
        uint32_t expected;
    };
    const std::vector<Row> rows = {
        {"indexOf", [](const StrBuffer& t, uint32_t* o) { return t.indexOf(L'c', o); }, 2},
        {"indexOf from", [](const StrBuffer& t, uint32_t* o) { return t.indexOf(L'a', o, 1); }, 6},
        {"indexOf from the end", [](const StrBuffer& t, uint32_t* o) { return t.indexOf(L'a', o, kEnd); }, kMiss},
        {"indexOf is exact", [](const StrBuffer& t, uint32_t* o) { return t.indexOf(L'B', o, 5); }, kMiss},
        {"indexOfIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.indexOfIgnoreCase(L'B', o, 2); }, 4},
        {"indexOfAny", [](const StrBuffer& t, uint32_t* o) { return t.indexOfAny(L"CB", -1, o, 0); }, 4},
        {"indexOfAny with a count", [](const StrBuffer& t, uint32_t* o) { return t.indexOfAny(L"CB", 1, o, 0); }, 5},
        {"indexOfAnyIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.indexOfAnyIgnoreCase(L"XC", -1, o, 3); }, 5},
        {"lastIndexOf", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOf(L'a', o); }, 6},
        {"lastIndexOf before an end", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOf(L'a', o, 6); }, 0},
        {"lastIndexOf with an end beyond the length", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOf(L'c', o, 500); }, 8},
        {"lastIndexOf with end 0", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOf(L'a', o, 0); }, kMiss},
        {"lastIndexOfIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOfIgnoreCase(L'A', o, 6); }, 3},
        {"lastIndexOfAny", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOfAny(L"AB", -1, o); }, 4},
        {"lastIndexOfAnyIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.lastIndexOfAnyIgnoreCase(L"AB", -1, o); }, 7},
        {"find", [](const StrBuffer& t, uint32_t* o) { return t.find(L"Ca", o); }, 5},
        {"find exact", [](const StrBuffer& t, uint32_t* o) { return t.find(L"ABC", o); }, 3},
        {"find from", [](const StrBuffer& t, uint32_t* o) { return t.find(L"abc", o, 1); }, 6},
        {"find from 0xFFFFFF", [](const StrBuffer& t, uint32_t* o) { return t.find(L"a", o, kEnd); }, kMiss},
        {"find an empty text", [](const StrBuffer& t, uint32_t* o) { return t.find(L"", o); }, kMiss},
        {"find a text longer than the rest", [](const StrBuffer& t, uint32_t* o) { return t.find(L"bcX", o, 7); }, kMiss},
        {"findIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.findIgnoreCase(L"CAB", o); }, 2},
        {"findLast", [](const StrBuffer& t, uint32_t* o) { return t.findLast(L"bc", o); }, 7},
        {"findLast must end by end", [](const StrBuffer& t, uint32_t* o) { return t.findLast(L"bc", o, 8); }, 1},
        {"findLast longer than end", [](const StrBuffer& t, uint32_t* o) { return t.findLast(L"abc", o, 2); }, kMiss},
        {"findLastIgnoreCase", [](const StrBuffer& t, uint32_t* o) { return t.findLastIgnoreCase(L"AB", o, 7); }, 3},
        {"findLast of an empty text", [](const StrBuffer& t, uint32_t* o) { return t.findLast(L"", o); }, kMiss},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        uint32_t out = kMiss;
        EXPECT_EQ(r.expected != kMiss, r.search(*s, &out));
        EXPECT_EQ(r.expected, out);
    }
    Pooled<StrBuffer> empty;
    uint32_t out = kMiss;
    EXPECT_FALSE(empty->find(L"a", &out));
    EXPECT_FALSE(empty->indexOf(L'a', &out));
    EXPECT_FALSE(empty->lastIndexOf(L'a', &out, kEnd));
    // Embedded zeros are content: a match after one is found.
    Pooled<StrBuffer> zeros;
    zeros->append(L"a\0bc", 4);
    EXPECT_TRUE(zeros->find(L"bc", &out));
    EXPECT_EQ(2u, out);
}

TEST(StrBufferSearch, RegionsAndEdges) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"Hello.TXT"));
    EXPECT_TRUE(s->regionMatches(6, L"xTXT", 1, 3));
    EXPECT_TRUE(s->regionMatches(6, L"TXT", 0, -1)) << "-1: to the end of both";
    EXPECT_FALSE(s->regionMatches(5, L".TX", 0, -1)) << "-1 must end where the string ends";
    EXPECT_FALSE(s->regionMatches(8, L"TX", 0, 2)) << "beyond the length";
    EXPECT_TRUE(s->regionMatchesIgnoreCase(0, L"HELLO", 0, 5));
    EXPECT_TRUE(s->endsWithIgnoreCase(L".txt"));
    EXPECT_FALSE(s->endsWith(L".txt"));
    EXPECT_TRUE(s->startsWith(L"Hel")) << "count -1 tests a prefix";
    EXPECT_TRUE(s->startsWith(L"Help", 3));
    EXPECT_FALSE(s->startsWith(L"Hello.TXT and more"));
    EXPECT_TRUE(s->startsWithIgnoreCase(L"hello"));
    EXPECT_EQ(0, s->compareAt(6, L"TXT"));
    EXPECT_EQ(-1, s->compareAt(6, L"TXTX"));
    EXPECT_EQ(0, s->compareAt(6, L"TXTX", 0, 3));
    EXPECT_EQ(1, s->compareAt(0, L"Hello-"));
    EXPECT_EQ(0, s->compareAtIgnoreCase(0, L"hello.txt"));
}

TEST(StrBufferSearch, Trims) {
    struct Row {
        const char* why;
        const wchar_t* before;
        std::function<void(StrBuffer&)> trim;
        const wchar_t* after;
    };
    const std::vector<Row> rows = {
        {"trailing whitespace of all five kinds", L"ab \r\n\x3000\t",
         [](StrBuffer& s) { s.trimEndWhitespace(); }, L"ab"},
        {"only whitespace", L" \t ", [](StrBuffer& s) { s.trimEndWhitespace(); }, L""},
        {"keeping a length", L"ab   ", [](StrBuffer& s) { s.trimEndWhitespaceKeeping(3); }, L"ab "},
        {"keeping more than there is", L"ab ", [](StrBuffer& s) { s.trimEndWhitespaceKeeping(9); }, L"ab "},
        {"a set of its own", L"path\\\\/", [](StrBuffer& s) { s.trimEnd(L"\\/"); }, L"path"},
        {"a set with a count", L"a..,", [](StrBuffer& s) { s.trimEnd(L",.", 1); }, L"a.."},
        {"a set keeping a length", L"a\\\\", [](StrBuffer& s) { s.trimEndKeeping(L"\\", 2); }, L"a\\"},
        {"leading whitespace", L" \t\x3000x y ", [](StrBuffer& s) { s.trimStartWhitespace(); }, L"x y "},
        {"leading set", L"00120", [](StrBuffer& s) { s.trimStart(L"0"); }, L"120"},
        {"nothing to trim", L"abc", [](StrBuffer& s) { s.trimStart(L"x"); }, L"abc"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(r.before));
        r.trim(*s);
        EXPECT_EQ(r.after, text(s.get()));
    }
}

TEST(StrBufferSearch, ReplaceAll) {
    struct Row {
        const char* why;
        const wchar_t* before;
        const wchar_t* find;
        const wchar_t* replacement;
        bool ignoreCase;
        const wchar_t* after;
        uint32_t count;
    } const rows[] = {
        {"equal lengths", L"a-b-c", L"-", L"+", false, L"a+b+c", 2},
        {"shorter", L"xxAxxBxx", L"xx", L"y", false, L"yAyBy", 3},
        {"removing", L"a, b, c", L", ", L"", false, L"abc", 2},
        {"longer", L"a.b.c", L".", L"::", false, L"a::b::c", 2},
        {"longer, containing the find text", L"aXa", L"a", L"aa", false, L"aaXaa", 2},
        {"never overlapping", L"aaaa", L"aa", L"b", false, L"bb", 2},
        {"no match", L"abc", L"x", L"yy", false, L"abc", 0},
        {"an empty find text changes nothing", L"abc", L"", L"x", false, L"abc", 0},
        {"the text ends before a whole match", L"abca", L"ab", L"", false, L"ca", 1},
        {"ignoring case", L"One one ONE", L"one", L"1", true, L"1 1 1", 3},
        {"exact case only", L"One one ONE", L"one", L"1", false, L"One 1 ONE", 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(r.before));
        uint32_t count = r.ignoreCase ? s->replaceAllIgnoreCase(r.find, r.replacement)
                                      : s->replaceAll(r.find, r.replacement);
        EXPECT_EQ(r.after, text(s.get()));
        EXPECT_EQ(r.count, count);
    }
}

TEST(StrBufferSearch, Prefixes) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"C:\\Dir\\Sub\\file.TXT"));
    struct Row {
        const char* why;
        std::function<StrBuffer*(const StrBuffer&)> prefix;
        const wchar_t* expected;
    };
    const std::vector<Row> rows = {
        {"to the last backslash", [](const StrBuffer& t) { return t.prefixToLastChar(L'\\'); }, L"C:\\Dir\\Sub"},
        {"before an end", [](const StrBuffer& t) { return t.prefixToLastChar(L'\\', 10); }, L"C:\\Dir"},
        {"no such char", [](const StrBuffer& t) { return t.prefixToLastChar(L'?'); }, L""},
        {"ignoring case", [](const StrBuffer& t) { return t.prefixToLastCharIgnoreCase(L'x'); }, L"C:\\Dir\\Sub\\file.T"},
        {"any of a set", [](const StrBuffer& t) { return t.prefixToLastAny(L"/\\", -1); }, L"C:\\Dir\\Sub"},
        {"any ignoring case", [](const StrBuffer& t) { return t.prefixToLastAnyIgnoreCase(L"ds", -1); }, L"C:\\Dir\\"},
        {"a string", [](const StrBuffer& t) { return t.prefixToLastString(L".TXT"); }, L"C:\\Dir\\Sub\\file"},
        {"a string ignoring case", [](const StrBuffer& t) { return t.prefixToLastStringIgnoreCase(L"\\sub"); }, L"C:\\Dir"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> p(r.prefix(*s));
        ASSERT_NE(nullptr, p.get());
        EXPECT_EQ(r.expected, text(p.get()));
    }
}

std::vector<std::wstring> strings(const s::str::strarray::StrArray* list) {
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < list->count(); ++i) out.push_back(text(list->at(i)));
    return out;
}

TEST(StrBufferSearch, SplitAndWords) {
    struct Row {
        const char* why;
        const wchar_t* text;
        std::vector<std::wstring> pieces;
    } const splits[] = {
        {"an empty piece is left out", L"a,,b", {L"a", L"b"}},
        {"at both ends", L",a,", {L"a"}},
        {"nothing but separators", L",,,", {}},
        {"no separator", L"abc", {L"abc"}},
    };
    for (const Row& r : splits) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(r.text));
        Pooled<s::str::strarray::StrArray> pieces(s->split(L','));
        EXPECT_EQ(r.pieces, strings(pieces.get()));
    }
    struct Words {
        const char* why;
        const wchar_t* text;
        bool skipStopWords;
        std::vector<std::wstring> words;
    } const words[] = {
        {"separated by punctuation, duplicates ignoring case dropped", L"Holiday_photo (2) holiday.JPG",
         false, {L"Holiday", L"photo", L"2", L"JPG"}},
        {"%, + and - belong to words", L"50% +3 -x a+b", false, {L"50%", L"+3", L"-x", L"a+b"}},
        {"stop words anywhere", L"The Lord of the Rings and more", true, {L"Lord", L"Rings", L"more"}},
        {"stop words kept when asked", L"the of", false, {L"the", L"of"}},
        {"units above 255 are letters, CJK punctuation is not", L"\x65E5\x672C\x3001\x8A9E\xFF08x\xFF09",
         false, {L"\x65E5\x672C", L"\x8A9E", L"x"}},
        {"nothing but separators", L"..!", false, {}},
    };
    for (const Words& r : words) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(r.text));
        Pooled<s::str::strarray::StrArray> found(s->distinctWords(r.skipStopWords));
        EXPECT_EQ(r.words, strings(found.get()));
    }
}

}  // namespace
