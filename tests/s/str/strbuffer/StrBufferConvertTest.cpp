// tests/s/str/strbuffer/StrBufferConvertTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/digest/md5/Md5.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/codepage/CodePage.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using s::system::codepage::CodePage;
using tests::Pooled;
using tests::text;
using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const ArrayU08* a) { return a ? Bytes(a->data(), a->data() + a->count()) : Bytes{}; }

std::wstring units(const wchar_t* s, size_t n) { return std::wstring(s, n); }

// Win32's own conversions, as references.
Bytes win32Encode(UINT codePage, const std::wstring& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), &out[0], n, nullptr, nullptr);
    return Bytes(out.begin(), out.end());
}

std::wstring win32Decode(UINT codePage, const Bytes& b) {
    if (b.empty()) return {};
    const char* p = reinterpret_cast<const char*>(b.data());
    int n = MultiByteToWideChar(codePage, 0, p, static_cast<int>(b.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, p, static_cast<int>(b.size()), &out[0], n);
    return out;
}

TEST(StrBufferConvert, Utf8RoundTrips) {
    struct Row {
        const char* why;
        std::wstring text;
        Bytes utf8;
        std::wstring back;  // what the bytes decode to
    };
    const std::vector<Row> rows = {
        {"ASCII", L"Az", {0x41, 0x7A}, L"Az"},
        {"two-byte", L"\x00E9", {0xC3, 0xA9}, L"\x00E9"},
        {"three-byte", L"\x20AC", {0xE2, 0x82, 0xAC}, L"\x20AC"},
        {"a surrogate pair gives four bytes", L"\xD83D\xDE00", {0xF0, 0x9F, 0x98, 0x80}, L"\xD83D\xDE00"},
        {"a lone high surrogate", L"\xD83Dx", {0xEF, 0xBF, 0xBD, 0x78}, L"\xFFFDx"},
        {"a lone low surrogate", L"\xDE00", {0xEF, 0xBF, 0xBD}, L"\xFFFD"},
        {"an embedded zero", units(L"a\0b", 3), {0x61, 0x00, 0x62}, units(L"a\0b", 3)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrBuffer> s;
        s->append(r.text.data(), static_cast<int32_t>(r.text.size()));
        Pooled<ArrayU08> utf8(s->toUtf8(nullptr, false));
        EXPECT_EQ(r.utf8, bytesOf(utf8.get()));
        EXPECT_EQ(0, utf8->data()[utf8->count()]) << "an uncounted zero follows";
        Pooled<StrBuffer> back;
        EXPECT_TRUE(back->setFromUtf8(utf8->data(), false, static_cast<int32_t>(utf8->count())));
        EXPECT_EQ(r.back, text(back.get()));
    }
}

// Invalid UTF-8 decodes as the system's converter decodes it (U+FFFD for what is broken),
// and nothing is read beyond the given bytes.
TEST(StrBufferConvert, InvalidUtf8) {
    const Bytes rows[] = {
        {0xC3},                    // cut short
        {0xFF, 0x41},              // never a UTF-8 byte
        {0xC0, 0x80},              // over-long zero
        {0xED, 0xA0, 0x80},        // an encoded surrogate
        {0xF4, 0x90, 0x80, 0x80},  // beyond U+10FFFF
        {0x80, 0x80, 0x80},        // continuation bytes alone
    };
    for (const Bytes& b : rows) {
        SCOPED_TRACE(testing::Message() << "first byte " << int(b[0]));
        Pooled<StrBuffer> s;
        ASSERT_TRUE(s->setFromUtf8(b.data(), false, static_cast<int32_t>(b.size())));
        EXPECT_EQ(win32Decode(CP_UTF8, b), text(s.get()));
        EXPECT_NE(std::wstring::npos, text(s.get()).find(L'\xFFFD'));
    }
}

TEST(StrBufferConvert, Utf8EdgesAndAppending) {
    Pooled<StrBuffer> s;
    Pooled<ArrayU08> a(s->toUtf8WithTerminator(nullptr, false));
    EXPECT_EQ((Bytes{0}), bytesOf(a.get())) << "an empty string gives one counted zero";
    Pooled<ArrayU08> b(s->toUtf8(nullptr, false));
    EXPECT_EQ(0u, b->count());
    s->setText(L"\x00E9");
    s->toUtf8(a.get(), true);
    EXPECT_EQ((Bytes{0, 0xC3, 0xA9}), bytesOf(a.get()));
    s->toUtf8WithTerminator(a.get(), false);
    EXPECT_EQ((Bytes{0xC3, 0xA9, 0}), bytesOf(a.get()));
    const uint8_t z[] = {'h', 'i', 0, 'x'};
    EXPECT_TRUE(s->setFromUtf8(z, false));
    EXPECT_EQ(L"hi", text(s.get())) << "-1 stops at the zero byte";
    EXPECT_TRUE(s->setFromUtf8(z, true, 4));
    EXPECT_EQ(units(L"hihi\0x", 6), text(s.get()));
    EXPECT_TRUE(s->setFromUtf8(nullptr, false, 0));
    EXPECT_EQ(0u, s->length());
    // Bytes out of the string's own block are converted from a copy.
    s->setText(L"abcdef");
    EXPECT_TRUE(s->setFromUtf8(reinterpret_cast<const uint8_t*>(s->chars()), false, 4));
    EXPECT_EQ(units(L"a\0b\0", 4), text(s.get()));
}

TEST(StrBufferConvert, Utf16CodePagesByNumber) {
    Pooled<CodePage> le(s::system::codepage::newCodePage(1200, L"UTF-16"));
    Pooled<CodePage> be(s::system::codepage::newCodePage(1201, L"UTF-16BE"));
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"a\x20AC"));
    Pooled<ArrayU08> bytes(s->toCodePage(le.get(), nullptr, false));
    EXPECT_EQ((Bytes{0x61, 0x00, 0xAC, 0x20}), bytesOf(bytes.get()));
    s->toCodePageWithTerminator(be.get(), bytes.get(), false);
    EXPECT_EQ((Bytes{0x00, 0x61, 0x20, 0xAC, 0, 0}), bytesOf(bytes.get())) << "a counted zero unit";
    Pooled<StrBuffer> back;
    EXPECT_TRUE(back->setFromCodePage(be.get(), bytes->data(), false));
    EXPECT_EQ(L"a\x20AC", text(back.get())) << "-1 stops at the zero unit";
    EXPECT_TRUE(back->setFromCodePage(be.get(), bytes->data(), false, 3));
    EXPECT_EQ(L"a", text(back.get())) << "an odd last byte is left out";
    const uint8_t little[] = {0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_TRUE(back->setFromCodePage(le.get(), little, false, 4));
    EXPECT_EQ(L"\xD83D\xDE00", text(back.get()));
    EXPECT_EQ(nullptr, s->toCodePage(nullptr, nullptr, false));
    EXPECT_FALSE(back->setFromCodePage(nullptr, little, false, 4));
}

// Other pages go through Windows, sized by its own answer; a page the system cannot convert
// gives null and leaves the caller's array as it was.
TEST(StrBufferConvert, WindowsCodePages) {
    const std::wstring text1 = L"Stra\x00DF" L"e \x20AC \x65E5\x672C";
    for (UINT number : {1252u, 932u, 936u, 65000u, 20127u, 50220u, 52936u, 54936u}) {
        SCOPED_TRACE(testing::Message() << "code page " << number);
        Pooled<CodePage> page(s::system::codepage::newCodePage(static_cast<int32_t>(number), L"page"));
        Pooled<StrBuffer> s;
        s->append(text1.data(), static_cast<int32_t>(text1.size()));
        Pooled<ArrayU08> out;
        out->add(7);
        const Bytes expected = win32Encode(number, text1);
        ArrayU08* result = s->toCodePage(page.get(), out.get(), false);
        if (expected.empty()) {
            EXPECT_EQ(nullptr, result) << "Wine lacks this page";
            EXPECT_EQ((Bytes{7}), bytesOf(out.get()));
            continue;
        }
        EXPECT_EQ(expected, bytesOf(result));
        Pooled<StrBuffer> back;
        EXPECT_TRUE(back->setFromCodePage(page.get(), out->data(), false, static_cast<int32_t>(out->count())));
        EXPECT_EQ(win32Decode(number, expected), text(back.get()));
    }
}

TEST(StrBufferConvert, OemCodePage) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"d\x00E9j\x00E0"));
    Pooled<ArrayU08> oem(s->toOemWithTerminator(nullptr, false));
    Bytes expected = win32Encode(GetOEMCP(), text(s.get()));
    expected.push_back(0);
    EXPECT_EQ(expected, bytesOf(oem.get()));
    Pooled<StrBuffer> back;
    EXPECT_TRUE(back->setFromOem(oem->data(), false));
    EXPECT_EQ(L"d\x00E9j\x00E0", text(back.get()));
}

std::wstring reference(const wchar_t* format, double value) {
    wchar_t buffer[512];
    int n = _snwprintf(buffer, 512, format, value);
    return std::wstring(buffer, n);
}

// The number formats; a text longer than 256 units (any "%f" from 1e250 on) comes out
// whole, and the length stays right.
TEST(StrBufferConvert, NumberFormats) {
    Pooled<StrBuffer> s;
    struct Row {
        const char* why;
        bool (*append)(StrBuffer&);
        std::wstring expected;
    };
    const std::vector<Row> rows = {
        {"int64 minimum", [](StrBuffer& t) { return t.appendInt64(INT64_MIN); }, L"-9223372036854775808"},
        {"uint32 maximum", [](StrBuffer& t) { return t.appendUInt32(0xFFFFFFFFu); }, L"4294967295"},
        {"uint16", [](StrBuffer& t) { return t.appendUInt16(65535); }, L"65535"},
        {"uint8", [](StrBuffer& t) { return t.appendUInt8(255); }, L"255"},
        {"int32", [](StrBuffer& t) { return t.appendInt32(-5); }, L"-5"},
        {"int16 taken as signed", [](StrBuffer& t) { return t.appendInt16(static_cast<int16_t>(0x8000)); }, L"-32768"},
        {"int8 taken as signed", [](StrBuffer& t) { return t.appendInt8(static_cast<int8_t>(0x80)); }, L"-128"},
        {"float widened", [](StrBuffer& t) { return t.appendFloat(1.5f); }, L"1.500000"},
        {"double", [](StrBuffer& t) { return t.appendDouble(-0.25); }, L"-0.250000"},
        {"1e300, beyond 257 units", [](StrBuffer& t) { return t.appendDouble(1e300); }, reference(L"%f", 1e300)},
        {"the largest double", [](StrBuffer& t) { return t.appendDouble(DBL_MAX); }, reference(L"%f", DBL_MAX)},
        {"the most negative double", [](StrBuffer& t) { return t.appendDouble(-DBL_MAX); }, reference(L"%f", -DBL_MAX)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        s->setText(L"n=");
        EXPECT_TRUE(r.append(*s));
        EXPECT_EQ(L"n=" + r.expected, text(s.get()));
    }
    EXPECT_EQ(316u, reference(L"%f", DBL_MAX).size());
    Pooled<StrBuffer> empty;
    EXPECT_TRUE(empty->appendDouble(1e300)) << "on an empty string the old length wrapped";
    EXPECT_EQ(reference(L"%f", 1e300).size(), empty->length());
    EXPECT_TRUE(s->setDouble(DBL_MAX));
    EXPECT_EQ(reference(L"%f", DBL_MAX), text(s.get()));
    EXPECT_TRUE(s->setInt32(42));
    EXPECT_EQ(L"42", text(s.get()));
    EXPECT_TRUE(s->setInt8(-1));
    EXPECT_EQ(L"-1", text(s.get()));
}

TEST(StrBufferConvert, NumberParsing) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"  -12x"));
    EXPECT_EQ(-12, s->toInt());
    s->setText(L"9223372036854775807");
    EXPECT_EQ(INT64_MAX, s->toInt64());
    s->setText(L"2.5");
    EXPECT_FLOAT_EQ(2.5f, s->toFloat());
    struct Row {
        const wchar_t* text;
        bool isInteger, isHex;
    } const rows[] = {{L"-", false, false}, {L"-5", true, false}, {L"5-", false, false},
                      {L"0x1F", false, false}, {L"1F", false, true}, {L"123", true, true},
                      {L"", false, false}, {L"aBcDeF", false, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.text);
        s->setText(r.text);
        EXPECT_EQ(r.isInteger, s->isInteger());
        EXPECT_EQ(r.isHex, s->isHex());
    }
}

TEST(StrBufferConvert, Hexadecimal) {
    Pooled<StrBuffer> s;
    s->appendHex8(static_cast<uint8_t>(0xAB));
    s->appendHex16(static_cast<uint16_t>(0x1F));
    s->appendHex32(0xDEADBEEFu);
    s->appendHex64(0x0123456789ABCDEFull);
    EXPECT_EQ(L"ab001fdeadbeef0123456789abcdef", text(s.get()));
    s->clear();
    const uint8_t bytes[] = {0, 1, 0xFF};
    const uint16_t shorts[] = {0xABCD};
    const uint32_t words[] = {1, 2};
    const uint64_t longs[] = {1};
    s->appendHex8(bytes, 3);
    s->appendHex16(shorts, 1);
    s->appendHex32(words, 2);
    s->appendHex64(longs, 1);
    s->appendHex32Pairs(words, 1);
    EXPECT_EQ(L"0001ffabcd00000001000000020000000000000001" L"0000000100000002", text(s.get()));
    s->setText(L"1F");
    EXPECT_EQ(31u, s->parseHex());
    EXPECT_EQ(15u, s->hexDigitValue(1));
    EXPECT_EQ(0u, s->hexDigitValue(9));
    s->setText(L"fffffffff1");
    EXPECT_EQ(0xFFFFFFF1u, s->parseHex()) << "32 bits";
    s->setText(L"0aFFz1b");
    Pooled<ArrayU08> out(s->hexToBytes(nullptr, false));
    EXPECT_EQ((Bytes{0x0A, 0xFF, 0x01}), bytesOf(out.get())) << "z counts as 0; the odd last unit is left out";
    s->setText(L"02");
    s->hexToBytes(out.get(), true);
    EXPECT_EQ((Bytes{0x0A, 0xFF, 0x01, 0x02}), bytesOf(out.get()));
}

// Bytes become units taken as signed 8-bit values: for ASCII only.
TEST(StrBufferConvert, BytesAndAscii) {
    Pooled<StrBuffer> s;
    const uint8_t bytes[] = {0x41, 0x80, 0xFF};
    EXPECT_TRUE(s->appendBytes(bytes, 3));
    EXPECT_EQ(L"A\xFF80\xFFFF", text(s.get()));
    EXPECT_TRUE(s->appendAscii("hi"));
    EXPECT_EQ(L"A\xFF80\xFFFFhi", text(s.get()));
}

TEST(StrBufferConvert, DigestOfTheUtf16Bytes) {
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"abc"));
    Pooled<StrBuffer> hex(s->digest(nullptr, nullptr, false));
    EXPECT_EQ(L"ce1473cf80c6b3fda8e3dfc006adc315", text(hex.get())) << "six bytes, not three";
    Pooled<s::digest::md5::Md5> md5;
    s->digest(md5.get(), hex.get(), true);
    EXPECT_EQ(L"ce1473cf80c6b3fda8e3dfc006adc315ce1473cf80c6b3fda8e3dfc006adc315", text(hex.get()));
}

}  // namespace
