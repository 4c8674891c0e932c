// tests/s/xml/NodeGoldenTest.cpp
//
// The parser beside python3's xml.etree on well-formed documents (GoldenCases.h, made by
// make_golden.py): the same elements, attributes and texts, once unescaped.
#include <gtest/gtest.h>

#include <string>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Escape.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"
#include "GoldenCases.h"

namespace {

using s::str::strbuffer::StrBuffer;
using s::xml::Node;

void listing(const Node& node, int depth, std::wstring* out) {
    std::wstring attributes, runs;
    const s::xml::Attributes& pairs = node.attributes();
    for (uint32_t i = 0; i < pairs.count(); ++i) {
        const s::xml::AttrPair* pair = pairs.at(i);
        StrBuffer value;
        const int32_t n = static_cast<int32_t>(pair->valueLength);
        if (pair->nameLength) {
            s::xml::xmlUnescapeAttribute(pair->value, n, &value, false);
            if (!attributes.empty()) attributes += L" ";
            attributes += std::wstring(pair->name, pair->nameLength) + L"=" + tests::text(&value);
            continue;
        }
        s::xml::xmlUnescapeText(pair->value, n, &value, false);
        if (!value.length()) continue;
        if (!runs.empty()) runs += L"|";
        runs += tests::text(&value);
    }
    *out += std::to_wstring(depth) + L" " + node.name() + L" [" + attributes + L"] " + runs + L"\n";
    for (uint32_t i = 0; i < node.childCount(); ++i) listing(*node.childAt(i), depth + 1, out);
}

TEST(NodeGoldenTest, ReadsWellFormedDocumentsAsPythonsParserDoes) {
    for (const tests::GoldenCase& row : tests::kGoldenCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.document)));
        tests::Pooled<Node> node;
        node->parse(row.document);
        std::wstring out;
        listing(*node, 0, &out);
        EXPECT_EQ(row.listing, out);
    }
}

}  // namespace
