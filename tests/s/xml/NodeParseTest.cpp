// tests/s/xml/NodeParseTest.cpp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"
#include "XmlTestText.h"

namespace {

using s::xml::Node;
using tests::Pooled;
using tests::shape;
using tests::written;

TEST(NodeParseTest, WellFormedAndMalformedTextGivesTheDialectsResult) {
    struct Row {
        const char* why;
        const wchar_t* text;
        const wchar_t* shape;
        size_t consumed;  // where parse stops; SIZE_MAX: the end of the text
    };
    const Row rows[] = {
        {"empty text: a nameless element", L"", L"(){}", SIZE_MAX},
        {"text without '<'", L"hello", L"(){}", SIZE_MAX},
        {"empty element with one attribute", L"<e a=\"1\"/>tail", L"e(a=1){}", 10},
        {"whitespace after '<' and around pairs", L"< e\ta=\"1\"\n b=\"2\" >x</e>", L"e(a=1,b=2,=x){}", SIZE_MAX},
        {"texts around a child: leading space skipped, trailing kept",
         L"<e>  hello <c/>  world </e>", L"e(=hello ,=world ){c(){}}", SIZE_MAX},
        {"a comment between children is dropped", L"<r><a/><!-- c --><b/></r>", L"r(){a(){} b(){}}", SIZE_MAX},
        {"a comment as the element", L"<!-- c -->x", L"!--(){}", 10},
        {"an unclosed tag runs to the end", L"<a", L"a(){}", SIZE_MAX},
        {"an attribute running to the end", L"<a b=\"1", L"a(b=1){}", SIZE_MAX},
        {"an unquoted value takes the next quotes: none, so empty to the end", L"<a b=1>x</a>", L"a(b=){}", SIZE_MAX},
        {"unclosed elements end with the text", L"<a><b>", L"a(){b(){}}", SIZE_MAX},
        {"a mismatched closing tag is accepted", L"<a></b><c/>", L"a(){}", 7},
        {"an unclosed comment", L"<!-- x", L"!--(){}", SIZE_MAX},
        {"a declaration is not understood: the root is not 'lang'",
         L"<?xml v=\"1\"?><lang/>", L"?xml(v=1,?><lang/>=){}", SIZE_MAX},
        {"a byte-order mark is skipped with the text before '<'", L"\uFEFF<a/>", L"a(){}", SIZE_MAX},
        {"a pair without a name would pass for text: dropped", L"<a =\"<b>\">t</a>", L"a(=t){}", SIZE_MAX},
        {"single quotes are not quotes", L"<a b='1' c=\"2\"/>", L"a(b=2){}", SIZE_MAX},
        {"'<' as the last character", L"<a><", L"a(){(){}}", SIZE_MAX},
        {"a child tag with a space before '/' is an empty child", L"<a>< /a>x</a>", L"a(=x){(){}}", SIZE_MAX},
        {"the closing tag's '>' missing", L"<a></a", L"a(){}", SIZE_MAX},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Node> node;
        const std::wstring text = row.text;
        const wchar_t* after = node->parse(text.c_str());
        EXPECT_EQ(row.shape, shape(*node));
        EXPECT_EQ(row.consumed == SIZE_MAX ? text.size() : row.consumed, static_cast<size_t>(after - text.c_str()));
    }
}

TEST(NodeParseTest, HundredThousandNestedElementsAreCappedAndWhatFollowsIsRead) {
    // One call per level used to overflow the 1 MiB stack of a 32-bit thread at this depth.
    const int n = 100000;
    std::wstring text = L"<r>";
    for (int i = 0; i < n; ++i) text += L"<a x=\"/>\">";
    for (int i = 0; i < n; ++i) text += L"</a>";
    text += L"<z/></r>";
    Pooled<Node> node;
    const wchar_t* after = node->parse(text.c_str());
    EXPECT_EQ(text.size(), static_cast<size_t>(after - text.c_str()));
    ASSERT_EQ(2u, node->childCount());
    EXPECT_EQ(std::wstring(L"z"), node->childAt(1)->name());
    EXPECT_EQ(256u, tests::depthOf(*node)) << "the root and 255 levels below it";

    // Unclosed, with comments and empty elements among the skipped levels.
    std::wstring open;
    for (int i = 0; i < n; ++i) open += (i % 3 == 0) ? L"<a><!-- <b> --><c/>" : L"<a>";
    Pooled<Node> deep;
    EXPECT_EQ(open.size(), static_cast<size_t>(deep->parse(open.c_str()) - open.c_str()));
    EXPECT_EQ(256u, tests::depthOf(*deep));
}

TEST(NodeParseTest, BytesAreUtf8AndEndAtANul) {
    struct Row {
        const char* why;
        std::string bytes;
        const wchar_t* shape;
    };
    const Row rows[] = {
        {"UTF-8 text", "<a b=\"\xC3\xA9\">\xE2\x82\xAC</a>", L"a(b=\u00E9,=\u20AC){}"},
        {"invalid UTF-8 becomes U+FFFD", "<a b=\"\xFF\"/>", L"a(b=\uFFFD){}"},
        {"a byte-order mark", "\xEF\xBB\xBF<a/>", L"a(){}"},
        {"an embedded NUL ends the document", std::string("<a>x\0<b/></a>", 13), L"a(=x){}"},
        {"no bytes", "", L"(){}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Node> node;
        EXPECT_TRUE(node->parseBytes(reinterpret_cast<const uint8_t*>(row.bytes.data()),
                                     static_cast<uint32_t>(row.bytes.size())));
        EXPECT_EQ(row.shape, shape(*node));
    }
}

TEST(NodeParseTest, WriterClosesEveryElementAndWritesOnlyTheFirstText) {
    Pooled<Node> node;
    node->parse(L"<r a=\"1\">one<e/> two <f g=\"&quot;\"></f></r>");
    EXPECT_EQ(L"<r a=\"1\">one<e></e><f g=\"&quot;\"></f></r>", written(*node));
    s::col::_array::ArrayU08 bytes;
    Pooled<Node> plain;
    plain->setName(L"\u00E9", -1);
    ASSERT_NE(nullptr, plain->toBytes(&bytes, false));
    EXPECT_EQ(std::string("<\xC3\xA9></\xC3\xA9>"), std::string(reinterpret_cast<char*>(bytes.data()), bytes.count()));
}

TEST(NodeParseTest, NameEqualsIgnoresCaseOnlyForTheWholeName) {
    Pooled<Node> node;
    node->setName(L"Entry", -1);
    EXPECT_TRUE(node->nameEquals(L"entry", -1));
    EXPECT_FALSE(node->nameEquals(L"entry", 5));
    EXPECT_TRUE(node->nameEquals(L"Entry", 5));
    EXPECT_TRUE(node->nameEquals(L"Entry!", 5)) << "only that many units of the text count";
    EXPECT_FALSE(node->nameEquals(L"Entry!", 6)) << "the name is shorter than the length";
    EXPECT_FALSE(node->nameEquals(L"Ent", 3)) << "the name must be no longer than the length";
}

TEST(NodeParseTest, ChildrenAreAddedFoundAndRemoved) {
    Pooled<Node> node;
    node->parse(L"<r><a/><b/><a/></r>");
    EXPECT_EQ(0, node->findChild(L"a", 1));
    EXPECT_EQ(-1, node->findChild(L"A", 1));
    node->removeChildAt(0);
    EXPECT_EQ(1, node->findChild(L"a", 1));
    ASSERT_NE(nullptr, node->addChildNamed(L"c", -1));
    EXPECT_EQ(L"<r><b></b><a></a><c></c></r>", written(*node));
    EXPECT_EQ(nullptr, node->childByName(L"zz", -1));
    node->removeChildAt(7);  // beyond the end: nothing
    EXPECT_EQ(3u, node->childCount());
}

// A pack-shaped document, mutated by flipping, cutting and repeating bytes: every mutant
// parses without crash or hang, and the text written from it is in the writer's own form,
// so parsing it again and writing it gives the same text.
TEST(NodeParseTest, MutatedDocumentsParseAndWriteBackStably) {
    std::string pack = "<lang name=\"English\" id=\"1033\"><!-- texts --><group id=\"6\">";
    for (int i = 0; i < 12; ++i)
        pack += "<s id=\"60800" + std::to_string(i) + "\">Wipe&#160;now &amp; \xC3\xA9<b/></s>\n\t";
    pack += "<s id=\"1\" t=\"a&quot;b\"/></group><empty></empty></lang>";
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = pack;
        for (int edits = 1 + next(4); edits > 0; --edits) {
            const uint32_t at = next(static_cast<uint32_t>(bytes.size()) + 1);
            switch (next(4)) {
                case 0: if (at < bytes.size()) bytes[at] = static_cast<char>(bytes[at] ^ (1u << next(8))); break;
                case 1: bytes.resize(at); break;
                case 2: bytes.erase(at, next(20)); break;
                default: bytes.insert(at, bytes.substr(at, next(40))); break;
            }
            if (bytes.empty()) bytes = "<";
        }
        SCOPED_TRACE(round);
        Pooled<Node> first;
        ASSERT_TRUE(first->parseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size())));
        const std::wstring text = written(*first);
        s::col::_array::ArrayU08 out;
        ASSERT_NE(nullptr, first->toBytes(&out, false));
        Pooled<Node> second;
        ASSERT_TRUE(second->parseBytes(out.data(), out.count()));
        ASSERT_EQ(text, written(*second)) << std::string(bytes);
    }
}

}  // namespace
