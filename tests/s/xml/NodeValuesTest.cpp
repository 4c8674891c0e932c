// tests/s/xml/NodeValuesTest.cpp
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <functional>
#include <string>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Escape.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"
#include "XmlTestText.h"

namespace {

using s::xml::Node;
using tests::Pooled;

TEST(NodeValuesTest, SettersWriteTheirFormats) {
    const uint64_t u64[] = {0x0123456789ABCDEFull, 1};
    const uint32_t u32[] = {0xDEADBEEF, 2};
    const uint16_t u16[] = {0xBEEF, 3};
    const uint8_t u8[] = {0x0A, 0xFF};
    struct Row {
        const char* why;
        std::function<bool(Node&)> set;
        const wchar_t* text;
    };
    const Row rows[] = {
        {"signed 64", [](Node& n) { return n.setS64(L"v", INT64_MIN); }, L"-9223372036854775808"},
        {"unsigned 64 is written signed", [](Node& n) { return n.setU64(L"v", UINT64_MAX); }, L"-1"},
        {"unsigned 32", [](Node& n) { return n.setU32(L"v", UINT32_MAX); }, L"4294967295"},
        {"unsigned 16", [](Node& n) { return n.setU16(L"v", 65535); }, L"65535"},
        {"unsigned 8", [](Node& n) { return n.setU8(L"v", 255); }, L"255"},
        {"signed 32", [](Node& n) { return n.setS32(L"v", INT32_MIN); }, L"-2147483648"},
        {"signed 16", [](Node& n) { return n.setS16(L"v", -32768); }, L"-32768"},
        {"signed 8", [](Node& n) { return n.setS8(L"v", -128); }, L"-128"},
        {"float", [](Node& n) { return n.setFloat(L"v", 1.5f); }, L"1.500000"},
        {"double", [](Node& n) { return n.setDouble(L"v", -0.25); }, L"-0.250000"},
        {"text in an attribute: the attribute rule", [](Node& n) { return n.setText(L"v", L"a \"b\"\n"); },
         L"a &quot;b&quot;&#10;"},
        {"hex 64", [&](Node& n) { return n.setHex64(L"v", u64, 2); }, L"0123456789abcdef0000000000000001"},
        {"hex 32", [&](Node& n) { return n.setHex32(L"v", u32, 2); }, L"deadbeef00000002"},
        {"hex 16", [&](Node& n) { return n.setHex16(L"v", u16, 2); }, L"beef0003"},
        {"hex 8", [&](Node& n) { return n.setHex8(L"v", u8, 2); }, L"0aff"},
        {"64-bit values as halves, the low half first", [&](Node& n) { return n.setHex64AsHalves(L"v", u64, 2); },
         L"89abcdef012345670000000100000000"},
        {"no hex values", [&](Node& n) { return n.setHex8(L"v", u8, 0); }, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Node> node;
        ASSERT_TRUE(row.set(*node));
        EXPECT_EQ(row.text, std::wstring(node->getText(L"V", L"(missing)")));
    }
}

TEST(NodeValuesTest, HugeDoublesAreFormattedWhole) {
    // "%f" of these needs more than the 256 characters that were once the format buffer.
    struct Row {
        const char* why;
        double value;
        size_t digits;
    };
    const Row rows[] = {{"1e300", 1e300, 301}, {"the largest double", DBL_MAX, 309}, {"its negative", -DBL_MAX, 310}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Node> node;
        ASSERT_TRUE(node->setDouble(L"v", row.value));
        const std::wstring text = node->getText(L"v", L"");
        EXPECT_EQ(row.digits + 7, text.size());
        EXPECT_EQ(L".000000", text.substr(text.size() - 7));
        EXPECT_EQ(row.value, std::wcstod(text.c_str(), nullptr));
    }
}

TEST(NodeValuesTest, GettersConvertTheFirstPairOfTheName) {
    Pooled<Node> node;
    node->parse(L"<e one=\"1\" t=\"true\" tx=\"truex\" up=\"TRUE\" zero=\"0\" yes=\"yes\" big=\"300\" neg=\"-1\" "
                L"min=\"-9223372036854775808\" dup=\"5\" DUP=\"6\"/>");
    struct Row {
        const char* why;
        int64_t got;
        int64_t expected;
    };
    const Row rows[] = {
        {"'1' is true", node->getBool(L"one", false), 1},
        {"'true' is true", node->getBool(L"t", false), 1},
        {"a text beginning with 'true' is true", node->getBool(L"tx", false), 1},
        {"'TRUE' is not", node->getBool(L"up", true), 0},
        {"'0' is false", node->getBool(L"zero", true), 0},
        {"'yes' is false", node->getBool(L"yes", true), 0},
        {"missing: the default", node->getBool(L"none", true), 1},
        {"unsigned 8 narrows 300", node->getU8(L"big", 0), 44},
        {"signed 8 of -1", node->getS8(L"neg", 0), -1},
        {"unsigned 32 of -1 by wcstoul", node->getU32(L"neg", 0), 4294967295LL},
        {"unsigned 16 of -1", node->getU16(L"neg", 0), 65535},
        {"signed 16 narrows 300", node->getS16(L"big", 0), 300},
        {"signed 32", node->getS32(L"big", 0), 300},
        {"signed 64 minimum", node->getS64(L"min", 0), INT64_MIN},
        {"names ignore case; the first wins", node->getS32(L"Dup", 0), 5},
        {"missing number: the default", node->getS32(L"none", -7), -7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.expected, row.got);
    }
}

TEST(NodeValuesTest, TextOfTwoWordsKeepsItsSpaceThroughTheWriter) {
    Pooled<Node> node;
    node->setName(L"e", -1);
    ASSERT_TRUE(node->setText(L"", L"two words"));
    const std::wstring text = tests::written(*node);
    EXPECT_EQ(L"<e>two&#160;words</e>", text);
    Pooled<Node> back;
    back->parse(text.c_str());
    s::str::strbuffer::StrBuffer out;
    EXPECT_TRUE(back->getUnescapedText(L"", &out, false, L"(missing)"));
    EXPECT_EQ(L"two words", tests::text(&out));
    EXPECT_FALSE(back->getUnescapedText(L"nope", &out, false, L"dflt"));
    EXPECT_EQ(L"dflt", tests::text(&out));
}

TEST(NodeValuesTest, ValuesWithMarkupCharactersRoundTrip) {
    const std::wstring samples[] = {L"q\"u&o<t>e", L"cr\rlf\n", L"  spaced  out  ", L"&amp; &lt; &#10;"};
    for (const std::wstring& sample : samples) {
        SCOPED_TRACE(testing::PrintToString(sample));
        Pooled<Node> node;
        node->setName(L"e", -1);
        ASSERT_TRUE(node->setText(L"a", sample.c_str()));
        ASSERT_TRUE(node->setText(L"", sample.c_str()));
        Pooled<Node> back;
        const std::wstring text = tests::written(*node);
        back->parse(text.c_str());
        s::str::strbuffer::StrBuffer out;
        ASSERT_TRUE(back->getUnescapedText(L"a", &out, false, nullptr));
        EXPECT_EQ(sample, tests::text(&out));
        ASSERT_TRUE(back->getUnescapedText(L"", &out, false, nullptr));
        EXPECT_EQ(sample, tests::text(&out));
    }
    // The Part's own case: an attribute written with the attribute rule keeps its newline.
    s::str::strbuffer::StrBuffer escaped;
    s::xml::xmlEscapeAttribute(L"one\ntwo", -1, &escaped, false);
    Pooled<Node> node;
    node->setName(L"e", -1);
    node->addAttribute(L"v", escaped.cString(), -1);
    Pooled<Node> back;
    back->parse(tests::written(*node).c_str());
    s::str::strbuffer::StrBuffer out;
    back->getUnescapedText(L"v", &out, false, nullptr);
    EXPECT_EQ(L"one\ntwo", tests::text(&out));
}

}  // namespace
