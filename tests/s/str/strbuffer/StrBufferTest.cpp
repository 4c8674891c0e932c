// tests/s/str/strbuffer/StrBufferTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "s/col/IteratorBase.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::str::strbuffer::StrBuffer;
using tests::Pooled;
using tests::text;

TEST(StrBuffer, EmptyString) {
    Pooled<StrBuffer> s;
    EXPECT_STREQ(L"", s->cString());
    EXPECT_EQ(nullptr, s->chars()) << "cString of an empty string allocates nothing";
    s->trimEndWhitespace();
    s->trimStartWhitespace();
    EXPECT_EQ(0u, s->length());
    EXPECT_FALSE(s->isHex());
    EXPECT_FALSE(s->isInteger());
    EXPECT_EQ(0u, s->hashCode());
    EXPECT_EQ(0u, s->capacity());
}

TEST(StrBuffer, TerminatesOnlyWhenAsked) {
    Pooled<StrBuffer> s;
    s->setText(L"abc");
    s->chars()[3] = L'!';  // the spare unit is not kept at 0
    EXPECT_STREQ(L"abc", s->cString());
    EXPECT_EQ(0, s->chars()[3]);
    s->append(L"d\0e", 3);
    EXPECT_EQ(6u, s->length()) << "embedded zeros are counted";
    EXPECT_EQ(std::wstring(L"abcd\0e", 6), text(s.get()));
    s->setLength(1000);
    EXPECT_EQ(s->capacity(), s->length()) << "never beyond the block";
}

// The hash rule: h = (h << 1 with bit 0 taken from the old bit 30) XOR unit.
TEST(StrBuffer, HashCodes) {
    struct Row {
        const wchar_t* text;
        uint32_t hash;
    } const rows[] = {{L"a", 0x61}, {L"ab", 0xA0}, {L"abc", 0x123}, {L"ABC", 0x1C3}};
    Pooled<StrBuffer> s;
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.text);
        s->setText(r.text);
        EXPECT_EQ(r.hash, s->hashCode());
    }
    s->setText(L"ABC");
    EXPECT_EQ(0x123u, s->hashCodeIgnoreCase());
    s->setText(L"\x00C9");
    Pooled<StrBuffer> e(s::str::strbuffer::newStrBuffer(L"\x00E9"));
    EXPECT_NE(s->hashCodeIgnoreCase(), e->hashCodeIgnoreCase()) << "only A-Z fold";
}

// compareTo compares bytes in memory order; the ignore-case order is the run-time
// library's (it folds A-Z to a-z, so '_' sorts after letters).
TEST(StrBuffer, Comparisons) {
    struct Row {
        const wchar_t* a;
        const wchar_t* b;
        int compare;
        int ignoreCase;
    } const rows[] = {
        {L"\x0100", L"\x00FF", -1, 1},
        {L"abc", L"abd", -1, -1},
        {L"ab", L"abc", -1, -1},
        {L"abc", L"abc", 0, 0},
        {L"ABC", L"abc", -1, 0},
        {L"a_", L"AB", 1, -1},
        {L"\x00C9", L"\x00E9", -1, -1},
        {L"", L"a", -1, -1},
    };
    Pooled<StrBuffer> a, b;
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.a << " / " << r.b);
        a->setText(r.a);
        b->setText(r.b);
        EXPECT_EQ(r.compare, a->compareTo(b.get()));
        EXPECT_EQ(-r.compare, b->compareTo(a.get()));
        EXPECT_EQ(r.ignoreCase, a->compareToIgnoreCase(b.get()));
        EXPECT_EQ(r.ignoreCase, s::str::strbuffer::compareStrBuffersIgnoreCase(a.get(), b.get()));
        EXPECT_EQ(r.compare == 0, a->equals(b.get()));
        EXPECT_EQ(r.ignoreCase == 0, a->equalsIgnoreCase(b.get()));
        // The same order as msvcrt's _wcsnicmp over the common prefix (the C locale).
        size_t common = std::min(std::wcslen(r.a), std::wcslen(r.b));
        int crt = _wcsnicmp(r.a, r.b, common);
        int crtSign = crt < 0 ? -1 : crt > 0;
        if (crtSign) {
            EXPECT_EQ(crtSign, r.ignoreCase);
        }
    }
    EXPECT_EQ(1, a->compareTo(nullptr));
    EXPECT_EQ(-1, s::str::strbuffer::compareStrBuffersIgnoreCase(nullptr, a.get()));
}

// Appending, prepending and assigning a string to itself or to a part of itself, with the
// block full so that each operation replaces it.
TEST(StrBuffer, OwnContentAsSource) {
    struct Row {
        const char* why;
        std::function<bool(StrBuffer&)> op;
        const wchar_t* after;
    };
    const std::vector<Row> rows = {
        {"append itself", [](StrBuffer& s) { return s.appendStr(&s); }, L"abcdabcd"},
        {"append a part of itself", [](StrBuffer& s) { return s.append(s.chars() + 1, 2); }, L"abcdbc"},
        {"append its tail up to the end", [](StrBuffer& s) { return s.append(s.chars() + 2, -1); }, L"abcdcd"},
        {"prepend itself", [](StrBuffer& s) { return s.prepend(s.chars(), 4); }, L"abcdabcd"},
        {"prepend its end", [](StrBuffer& s) { return s.prepend(s.chars() + 3, 1); }, L"dabcd"},
        {"set to a part of itself", [](StrBuffer& s) { return s.setText(s.cString() + 1); }, L"bcd"},
        {"set to itself", [](StrBuffer& s) { return s.setStr(&s); }, L"abcd"},
        {"replace with its own text", [](StrBuffer& s) { return s.replaceAll(s.cString() + 1, s.cString()) == 1; }, L"aabcd"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s;
        ASSERT_TRUE(s->setCapacity(4));
        s->setText(L"abcd");
        EXPECT_TRUE(r.op(*s));
        EXPECT_EQ(r.after, text(s.get()));
    }
}

// Ranges from callers are clamped: nothing reads or writes outside the block.
TEST(StrBuffer, RangesAreClamped) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"abcdef"));
    struct Row {
        const char* why;
        uint32_t start, end;
        const wchar_t* substring;
    } const rows[] = {
        {"to the end with -1", 2, 0xFFFFFFFF, L"cdef"},
        {"empty where start meets end", 3, 3, L""},
        {"start after end", 5, 2, L""},
        {"end beyond the length", 4, 100, L"ef"},
        {"start beyond the length", 100, 200, L""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> sub(s->substring(r.start, r.end));
        EXPECT_EQ(r.substring, text(sub.get()));
        Pooled<StrBuffer> kept(s->clone());
        kept->keepRange(r.start, r.end);
        EXPECT_EQ(r.substring, text(kept.get()));
    }
    EXPECT_EQ(0, s->charAt(6));
    EXPECT_EQ(L'F', s->upperCharAt(5));
    EXPECT_EQ(s->chars() + 6, s->charPointer(6));
    EXPECT_EQ(nullptr, s->charPointer(7));
    EXPECT_EQ(-1, s->compareAt(7, L"x"));
    EXPECT_EQ(0, s->compareAt(6, L""));
}

TEST(StrBuffer, CaseOperations) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"hELLO w\x00C9rld"));
    s->toLower();
    EXPECT_EQ(L"hello w\x00C9rld", text(s.get())) << "only A-Z fold";
    s->toUpper();
    EXPECT_EQ(L"HELLO W\x00C9RLD", text(s.get()));
    s->capitalize();
    EXPECT_EQ(L"Hello w\x00C9rld", text(s.get()));
    s->reverse();
    EXPECT_EQ(L"dlr\x00C9w olleH", text(s.get()));
    EXPECT_EQ(L'l', s->lowerCharAt(1));
}

TEST(StrBuffer, FreeFunctions) {
    Pooled<StrBuffer> a(s::str::strbuffer::newStrBufferConcat(L"ab", L"cd"));
    Pooled<StrBuffer> b(s::str::strbuffer::newStrBufferPath(L"C:\\dir", L"file.txt"));
    Pooled<StrBuffer> c(s::str::strbuffer::newStrBufferLinkPath(L"C:\\dir", L"file"));
    Pooled<StrBuffer> d(s::str::strbuffer::newStrBuffer(nullptr));
    EXPECT_EQ(L"abcd", text(a.get()));
    EXPECT_EQ(L"C:\\dir\\file.txt", text(b.get()));
    EXPECT_EQ(L"C:\\dir\\file.lnk", text(c.get()));
    ASSERT_NE(nullptr, d.get());
    EXPECT_EQ(0u, d->length());
    EXPECT_STREQ(L"s_str_strbuffer_StrBuffer", a->classId());
    EXPECT_EQ(static_cast<void*>(a.get()), static_cast<s::base::IObject*>(a.get()))
        << "a string's pointer is its IObject pointer";
}

TEST(StrBuffer, PoolResetFreesTheBlock) {
    StrBuffer* s = s::str::strbuffer::newStrBuffer(L"some text");
    s->seek(4);
    s->releaseToPool();
    StrBuffer* again = s::thread::Pool<StrBuffer>::obtain();
    EXPECT_EQ(s, again);
    EXPECT_EQ(0u, again->length());
    EXPECT_EQ(0u, again->capacity());
    EXPECT_EQ(0u, again->position());
    again->releaseToPool();
}

// The stream side over the UTF-16LE bytes: the length follows position / 2.
TEST(StrBuffer, StreamSide) {
    Pooled<StrBuffer> s;
    const uint8_t bytes[] = {'a', 0, 'b', 0, 'c', 0};
    uint32_t n = 0;
    EXPECT_TRUE(s->write(bytes, 3, &n));
    EXPECT_EQ(1u, s->length()) << "3 bytes at 0 give length 1";
    EXPECT_TRUE(s->write(bytes + 3, 3, &n));
    EXPECT_EQ(L"abc", text(s.get())) << "odd-sized writes follow each other";
    uint8_t in[8] = {};
    EXPECT_FALSE(s->read(in, 8, &n));
    EXPECT_TRUE(s->seekFromEnd(4));
    EXPECT_TRUE(s->read(in, 8, &n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ('b', in[0]);
    EXPECT_TRUE(s->seekFromEnd(1000));
    EXPECT_EQ(0u, s->position()) << "never before the start";
    EXPECT_TRUE(s->seek(10));
    EXPECT_TRUE(s->write(bytes, 2, &n));
    EXPECT_EQ(std::wstring(L"abc\0\0a", 6), text(s.get())) << "the gap is zeroed";
    EXPECT_EQ(2u, s->skip(2));
    EXPECT_EQ(14u, s->skipBack(100));
    s->closeAndRelease();
    EXPECT_EQ(6u, s->length()) << "closing a memory stream keeps the content";
}

TEST(StrBuffer, Iterators) {
    Pooled<StrBuffer> s;
    s::col::IteratorBase* it = s->iterator();
    EXPECT_FALSE(it->hasNext());
    it->release();
    s->setText(L"x");
    it = s->iterator();
    EXPECT_TRUE(it->hasNext()) << "a fresh iterator over one unit";
    EXPECT_EQ(L'x', *static_cast<wchar_t*>(it->next()));
    EXPECT_FALSE(it->hasNext());
    EXPECT_EQ(nullptr, it->next());
    EXPECT_STREQ(L"s_str_strbuffer_Iterator", it->classId());
    it->release();
    s->setText(L"abc");
    it = s->iteratorAt(1);
    EXPECT_EQ(L'b', *static_cast<wchar_t*>(it->next()));
    it->release();
    it = s->iteratorAt(-1);
    EXPECT_EQ(nullptr, it->next()) << "-1 is the end";
    EXPECT_EQ(L'c', *static_cast<wchar_t*>(it->previous()));
    it->release();
    it = s->iteratorFromEnd(-1);
    EXPECT_EQ(L'a', *static_cast<wchar_t*>(it->next())) << "-1 is the start";
    it->release();
    it = s->iteratorFromEnd(1);
    EXPECT_EQ(L'c', *static_cast<wchar_t*>(it->next()));
    it->release();
}

}  // namespace
