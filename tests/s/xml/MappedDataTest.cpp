// tests/s/xml/MappedDataTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "s/col/_array/ArrayU08.h"
#include "s/xml/MappedData.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"
#include "XmlTestText.h"

namespace {

using s::col::_array::ArrayU08;
using s::xml::MappedData;
using tests::Pooled;

class XmlMappedDataTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_box.ok());
        m_store = open();
        ASSERT_NE(nullptr, m_store);
    }
    void TearDown() override {
        if (m_store) m_store->releaseToPool();
    }

    MappedData* open() const { return s::xml::openXmlData(file().c_str()); }
    std::wstring file() const { return m_box.at(L"savedata\\SaveData.xml"); }
    std::wstring document() const { return tests::written(*m_store->document()); }
    std::string onDisk() const {
        std::string bytes;
        return m_box.readFile(L"savedata\\SaveData.xml", &bytes) ? bytes : "(none)";
    }
    MappedData& store() { return *m_store; }

    tests::Sandbox m_box;
    MappedData* m_store = nullptr;
};

TEST_F(XmlMappedDataTest, AFreshStoreHasTheRootSavedata) {
    EXPECT_EQ(L"<savedata></savedata>", document());
    EXPECT_TRUE(store().selectPath(L""));
    EXPECT_FALSE(store().selectPath(L"A"));
    EXPECT_EQ(7, store().getS32(L"A", L"x", 7));
    EXPECT_EQ(std::wstring(L"dflt"), store().getString(L"A", L"x", L"dflt"));
}

TEST_F(XmlMappedDataTest, SlashesAndBackslashesAddressTheSameElement) {
    store().setS32(L"Main/View", L"x", 3);
    EXPECT_EQ(3, store().getS32(L"Main\\View", L"x", 0));
    store().setS32(L"Main\\\\View\\", L"y", 4);  // a doubled and a trailing separator
    EXPECT_EQ(L"<savedata><Main><View x=\"3\" y=\"4\"></View></Main></savedata>", document());
}

TEST_F(XmlMappedDataTest, TheCacheIgnoresCaseButTheWalkDoesNot) {
    store().openPath(L"Main\\View");
    EXPECT_TRUE(store().selectPath(L"main\\view")) << "right after the same path: the cached selection";
    store().selectPath(L"");
    EXPECT_FALSE(store().selectPath(L"main\\view")) << "a first selection compares segments exactly";
}

// A read of a missing path used to leave its deepest found ancestor selected under the
// path's name, and the write that followed landed there.
TEST_F(XmlMappedDataTest, AReadOfAMissingPathThenAWriteCreatesThePath) {
    store().openPath(L"MainWindow");
    EXPECT_EQ(0, store().getS32(L"MainWindow\\View", L"X", 0));
    store().setS32(L"MainWindow\\View", L"X", 5);
    EXPECT_EQ(L"<savedata><MainWindow><View X=\"5\"></View></MainWindow></savedata>", document());
    EXPECT_FALSE(store().hasValue(L"MainWindow", L"X"));
    EXPECT_TRUE(store().hasValue(L"MainWindow\\View", L"x"));
}

TEST_F(XmlMappedDataTest, WritingANameTwiceLeavesOneAttributeAtTheEnd) {
    store().setU8(L"S", L"a", 1);
    store().setU8(L"S", L"b", 2);
    store().setU8(L"S", L"A", 3);
    EXPECT_EQ(L"<savedata><S b=\"2\" A=\"3\"></S></savedata>", document());
}

TEST_F(XmlMappedDataTest, StoredFormats) {
    ArrayU08 bytes;
    const uint8_t two[] = {0x0A, 0xFF};
    bytes.append(two, 2, 0);
    store().setU64(L"S", L"u64", UINT64_MAX);
    store().setBool(L"S", L"b", true);
    store().setString(L"S", L"", L"two words");
    store().setString(L"S", L"s", L"a \"q\"");
    store().setBytes(L"S", L"bytes", &bytes);
    store().setFloat(L"S", L"f", 0.5f);
    EXPECT_EQ(L"<savedata><S u64=\"-1\" b=\"1\" s=\"a &quot;q&quot;\" bytes=\"0aff\" f=\"0.500000\">two&#160;words</S>"
              L"</savedata>", document());
    EXPECT_EQ(UINT64_MAX, store().getU64(L"S", L"u64", 0));
    EXPECT_EQ(std::wstring(L"two words"), store().getString(L"S", L"", nullptr));
    bool expandable = true;
    store().getString(L"S", L"s", nullptr, &expandable);
    EXPECT_FALSE(expandable);
}

TEST_F(XmlMappedDataTest, BytesStopAtTheFirstPairThatIsNotTwoHexDigits) {
    struct Row {
        const char* why;
        const wchar_t* stored;
        std::string bytes;
    };
    const Row rows[] = {
        {"pairs", L"0aFf10", "\x0a\xff\x10"},
        {"odd length: the last digit is dropped", L"0af", "\x0a"},
        {"non-hex in the second pair", L"0ax1ff", "\x0a"},
        {"empty", L"", ""},
        {"a sign is no digit", L"-1", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        store().setString(L"S", L"v", row.stored);
        ArrayU08 out;
        ASSERT_EQ(&out, store().getBytes(L"S", L"v", &out));
        EXPECT_EQ(row.bytes, std::string(reinterpret_cast<char*>(out.data()), out.count()));
    }
    Pooled<ArrayU08> missing(store().getBytes(L"S", L"none"));
    ASSERT_NE(nullptr, missing.get());
    EXPECT_EQ(0u, missing->count());
}

TEST_F(XmlMappedDataTest, RemovingPathsAndValues) {
    store().setS32(L"Top\\Inner", L"x", 1);
    store().setS32(L"Other", L"y", 2);
    store().removePath(L"Top\\Inner\\");  // a trailing separator names the same element
    EXPECT_EQ(L"<savedata><Top></Top><Other y=\"2\"></Other></savedata>", document());
    store().removePath(L"Top");  // a top-level element: its parent is the root
    store().removePath(L"");     // the root itself is refused
    store().removePath(L"Missing\\Deeper");
    EXPECT_EQ(L"<savedata><Other y=\"2\"></Other></savedata>", document());
    EXPECT_EQ(9, store().getS32(L"Top\\Inner", L"x", 9)) << "the cached selection went with the element";
    store().deleteValue(L"Other", L"Y");
    EXPECT_FALSE(store().hasValue(L"Other", L"y"));
}

TEST_F(XmlMappedDataTest, EveryTypeSurvivesASaveAndReload) {
    store().setU8(L"T", L"u8", 200);
    store().setU16(L"T", L"u16", 60000);
    store().setU32(L"T", L"u32", 4000000000u);
    store().setU64(L"T", L"u64", 0x8000000000000001ull);
    store().setS8(L"T", L"s8", -100);
    store().setS16(L"T", L"s16", -30000);
    store().setS32(L"T", L"s32", -2000000000);
    store().setS64(L"T", L"s64", INT64_MIN);
    store().setFloat(L"T", L"f", -2.5f);
    store().setDouble(L"T", L"d", 12345.125);
    store().setBool(L"T", L"b", true);
    store().setString(L"T\\Deep", L"s", L"q\"u&o<t>e\r\n end ");
    store().setExpandString(L"T\\Deep", L"", L" lead\r\nand trail ");
    ArrayU08 bytes;
    const uint8_t raw[] = {0, 1, 0x7F, 0x80, 0xFF};
    bytes.append(raw, 5, 0);
    store().setBytes(L"T", L"bytes", &bytes);
    store().save();
    Pooled<MappedData> back(open());
    ASSERT_NE(nullptr, back.get());
    EXPECT_EQ(200, back->getU8(L"T", L"u8", 0));
    EXPECT_EQ(60000, back->getU16(L"T", L"u16", 0));
    EXPECT_EQ(4000000000u, back->getU32(L"T", L"u32", 0));
    EXPECT_EQ(0x8000000000000001ull, back->getU64(L"T", L"u64", 0));
    EXPECT_EQ(-100, back->getS8(L"T", L"s8", 0));
    EXPECT_EQ(-30000, back->getS16(L"T", L"s16", 0));
    EXPECT_EQ(-2000000000, back->getS32(L"T", L"s32", 0));
    EXPECT_EQ(INT64_MIN, back->getS64(L"T", L"s64", 0));
    EXPECT_EQ(-2.5f, back->getFloat(L"T", L"f", 0));
    EXPECT_EQ(12345.125, back->getDouble(L"T", L"d", 0));
    EXPECT_TRUE(back->getBool(L"T", L"b", false));
    EXPECT_EQ(std::wstring(L"q\"u&o<t>e\r\n end "), back->getString(L"T\\Deep", L"s", nullptr));
    EXPECT_EQ(std::wstring(L" lead\r\nand trail "), back->getString(L"T\\Deep", L"", nullptr));
    ArrayU08 out;
    back->getBytes(L"T", L"bytes", &out);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw), 5), std::string(reinterpret_cast<char*>(out.data()), out.count()));
}

TEST_F(XmlMappedDataTest, AutoSaveWritesEachChangeAndIsOffAfterThePool) {
    EXPECT_FALSE(store().getAutoSave());
    store().setS32(L"A", L"x", 1);
    EXPECT_EQ("(none)", onDisk()) << "with auto-save off nothing is written";
    store().setAutoSave(true);
    store().setS32(L"A", L"x", 2);
    EXPECT_EQ("<savedata><A x=\"2\"></A></savedata>", onDisk());
    store().deleteValue(L"A", L"x");
    EXPECT_EQ("<savedata><A></A></savedata>", onDisk());
    store().removePath(L"A");
    EXPECT_EQ("<savedata></savedata>", onDisk());
    store().releaseToPool();
    m_store = open();
    ASSERT_NE(nullptr, m_store);
    EXPECT_FALSE(store().getAutoSave());
}

TEST_F(XmlMappedDataTest, DamagedFilesLeaveTheStoreUsableWithDefaults) {
    struct Row {
        const char* why;
        std::string bytes;
        const wchar_t* root;
    };
    const Row rows[] = {
        {"empty file", "", L"<savedata></savedata>"},
        {"no element at all", "garbage", L"<savedata></savedata>"},
        {"cut in the middle", "<savedata><A x=\"1", L"<savedata><A x=\"1\"></A></savedata>"},
        {"a foreign root is kept", "<other><A/></other>", L"<other><A></A></other>"},
        {"binary noise", std::string("\x00\xFF<\x01", 4), L"<savedata></savedata>"},
        {"a leading comment would swallow what is stored under it", "<!-- mine --><savedata/>", L"<savedata></savedata>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ASSERT_TRUE(m_box.makeFolder(L"savedata") || m_box.exists(L"savedata"));
        ASSERT_TRUE(m_box.writeFile(L"savedata\\SaveData.xml", row.bytes));
        Pooled<MappedData> damaged(open());
        ASSERT_NE(nullptr, damaged.get());
        EXPECT_EQ(row.root, tests::written(*damaged->document()));
        EXPECT_EQ(42, damaged->getS32(L"B", L"y", 42));
        damaged->setS32(L"B", L"y", 1);
        EXPECT_EQ(1, damaged->getS32(L"B", L"y", 0));
    }
}

// A hand-edited file may repeat a name or hold several text runs; replacing only the first
// used to leave a second one that the getters (first match) or the writer (first run) took.
TEST_F(XmlMappedDataTest, AValueWrittenOverRepeatedPairsIsTheOnlyOne) {
    ASSERT_TRUE(m_box.makeFolder(L"savedata"));
    ASSERT_TRUE(m_box.writeFile(L"savedata\\SaveData.xml", "<savedata><S a=\"1\" A=\"2\">one<c/>two</S></savedata>"));
    Pooled<MappedData> edited(open());
    ASSERT_NE(nullptr, edited.get());
    edited->setS32(L"S", L"a", 3);
    edited->setString(L"S", L"", L"new");
    EXPECT_EQ(L"<savedata><S a=\"3\">new<c></c></S></savedata>", tests::written(*edited->document()));
    edited->deleteValue(L"S", L"A");
    EXPECT_FALSE(edited->hasValue(L"S", L"a"));
}

TEST_F(XmlMappedDataTest, TextOfAnElementWithChildrenSurvivesAReload) {
    store().setS32(L"P\\Child", L"x", 1);
    store().setString(L"P", L"", L"  parent text  ");
    store().save();
    Pooled<MappedData> back(open());
    ASSERT_NE(nullptr, back.get());
    EXPECT_EQ(std::wstring(L"  parent text  "), back->getString(L"P", L"", nullptr));
    EXPECT_EQ(1, back->getS32(L"P\\Child", L"x", 0));
}

TEST_F(XmlMappedDataTest, KeyPathsDeeperThanTheParserKeepsAreRefused) {
    // 300 levels would come back from the file as 256: the values below would be lost.
    std::wstring deep, fine;
    for (int i = 0; i < 300; ++i) deep += L"a\\";
    for (int i = 0; i < 100; ++i) fine += L"b\\";
    store().setS32(deep.c_str(), L"x", 1);
    EXPECT_EQ(L"<savedata></savedata>", document());
    EXPECT_EQ(5, store().getS32(deep.c_str(), L"x", 5));
    store().setS32(fine.c_str(), L"x", 1);
    store().save();
    Pooled<MappedData> back(open());
    ASSERT_NE(nullptr, back.get());
    EXPECT_EQ(1, back->getS32(fine.c_str(), L"x", 0));
}

}  // namespace
