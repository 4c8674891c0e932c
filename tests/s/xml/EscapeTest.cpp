// tests/s/xml/EscapeTest.cpp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Escape.h"
#include "support/Pooled.h"

namespace {

using s::str::strbuffer::StrBuffer;
using tests::text;

using Rule = bool (*)(const wchar_t*, int32_t, StrBuffer*, bool);

TEST(EscapeTest, EachRuleMapsItsCharacters) {
    struct Row {
        const char* why;
        Rule rule;
        const wchar_t* in;
        const wchar_t* out;
    };
    const Row rows[] = {
        {"attribute escapes", &s::xml::xmlEscapeAttribute, L"a\nb\rc\"d&e<f>g h", L"a&#10;b&#13;c&quot;d&amp;e&lt;f>g h"},
        {"text escapes every space", &s::xml::xmlEscapeText, L" a\nb\rc\"d&e<f>g h", L"&#160;a&#10;b&#13;c\"d&amp;e&lt;f&gt;g&#160;h"},
        {"attribute unescape decodes its five and copies other '&'", &s::xml::xmlUnescapeAttribute,
         L" &amp;&lt;&quot;&#13;&#10;&gt;&#160;&x; ", L" &<\"\r\n&gt;&#160;&x; "},
        {"text unescape trims literal whitespace only", &s::xml::xmlUnescapeText,
         L" \t\r\n&amp;&lt;&gt;&#160;&#13;&#10;&quot; \t\u3000\r\n", L"&<> \r\n&quot;"},
        {"a decoded space is never trimmed", &s::xml::xmlUnescapeText, L"a&#160;&#160;  ", L"a  "},
        {"an ampersand at the very end", &s::xml::xmlUnescapeText, L"a&", L"a&"},
        {"empty text", &s::xml::xmlUnescapeAttribute, L"", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        StrBuffer out;
        EXPECT_TRUE(row.rule(row.in, -1, &out, false));
        EXPECT_EQ(row.out, text(&out));
    }
}

TEST(EscapeTest, AnExplicitLengthBoundsTheReferences) {
    // The units after the length are no terminator: a reference crossing the length must not
    // be read from them.
    const std::vector<wchar_t> units = {L'a', L'&', L'a', L'm', L'p', L';'};
    struct Row {
        const char* why;
        Rule rule;
        int32_t length;
        const wchar_t* out;
    };
    const Row rows[] = {
        {"cut inside the reference: copied as it is", &s::xml::xmlUnescapeAttribute, 3, L"a&a"},
        {"the whole reference inside", &s::xml::xmlUnescapeAttribute, 6, L"a&"},
        {"text rule, cut inside", &s::xml::xmlUnescapeText, 5, L"a&amp"},
        {"escape reads only the length", &s::xml::xmlEscapeAttribute, 2, L"a&amp;"},
        {"length 0", &s::xml::xmlUnescapeText, 0, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        StrBuffer out;
        EXPECT_TRUE(row.rule(units.data(), row.length, &out, false));
        EXPECT_EQ(row.out, text(&out));
    }
}

TEST(EscapeTest, AppendKeepsTheContentAndTrimsOnlyTheNewPart) {
    StrBuffer out;
    out.setText(L"x ");
    EXPECT_TRUE(s::xml::xmlUnescapeText(L"  b  ", -1, &out, true));
    EXPECT_EQ(L"x b", text(&out));
    EXPECT_TRUE(s::xml::xmlUnescapeText(L"c", -1, &out, false));
    EXPECT_EQ(L"c", text(&out));
}

TEST(EscapeTest, EscapedValuesReadBackUnchanged) {
    const wchar_t* samples[] = {L"two words", L" lead and trail ", L"q\"u&o<t>e", L"line\r\nbreak\n", L"&amp; literal"};
    for (const wchar_t* sample : samples) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(sample)));
        StrBuffer escaped, back;
        ASSERT_TRUE(s::xml::xmlEscapeAttribute(sample, -1, &escaped, false));
        ASSERT_TRUE(s::xml::xmlUnescapeAttribute(escaped.cString(), -1, &back, false));
        EXPECT_EQ(sample, text(&back));
        ASSERT_TRUE(s::xml::xmlEscapeText(sample, -1, &escaped, false));
        ASSERT_TRUE(s::xml::xmlUnescapeText(escaped.cString(), -1, &back, false));
        EXPECT_EQ(sample, text(&back));
    }
}

}  // namespace
