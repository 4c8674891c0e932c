// tests/s/xml/NodeFileTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"
#include "XmlTestText.h"

namespace {

using s::xml::Node;
using tests::Pooled;

TEST(NodeFileTest, SaveMakesTheFolderAndLoadReadsItBack) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    Pooled<Node> node;
    node->parse(L"<savedata><w a=\"\u00E9 x\">t</w></savedata>");
    const std::wstring file = box.at(L"new\\folder\\SaveData.xml");
    ASSERT_TRUE(node->saveFileText(file.c_str()));
    std::string bytes;
    ASSERT_TRUE(box.readFile(L"new\\folder\\SaveData.xml", &bytes));
    EXPECT_EQ("<savedata><w a=\"\xC3\xA9 x\">t</w></savedata>", bytes) << "UTF-8, no mark, no declaration";
    EXPECT_FALSE(box.exists(L"new\\folder\\SaveData.xml.tmp"));
    Pooled<Node> back;
    ASSERT_TRUE(back->loadFileText(file.c_str()));
    EXPECT_EQ(tests::written(*node), tests::written(*back));
}

TEST(NodeFileTest, FilesThatCannotBeLoadedGiveFalse) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.makeFolder(L"folder"));
    ASSERT_TRUE(box.writeFile(L"empty.xml", ""));
    // Past the cap without writing its bytes: only the end of the file is moved.
    const std::wstring big = box.at(L"big.xml");
    HANDLE h = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    LARGE_INTEGER size;
    size.QuadPart = (64LL << 20) + 1;  // one byte over the 64 MiB cap
    EXPECT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    struct Row {
        const char* why;
        std::wstring path;
        bool loaded;
    };
    const Row rows[] = {
        {"missing file", box.at(L"none.xml"), false},
        {"a folder", box.at(L"folder"), false},
        {"larger than the cap", big, false},
        {"empty file: loaded, a nameless element", box.at(L"empty.xml"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Node> node;
        node->setName(L"old", -1);
        EXPECT_EQ(row.loaded, node->loadFileText(row.path.c_str()));
        EXPECT_EQ(std::wstring(), node->name()) << "the tree is cleared first";
    }
}

TEST(NodeFileTest, AnInterruptedSaveLeavesTheOldFileWhole) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    const std::string old = "<savedata><a v=\"1\"></a></savedata>";
    ASSERT_TRUE(box.writeFile(L"SaveData.xml", old));
    Pooled<s::file::win::PathWin> path(s::file::win::pathFromString(box.at(L"SaveData.xml").c_str()));
    ASSERT_NE(nullptr, path.get());
    Pooled<Node> node;
    node->parse(L"<savedata><a v=\"2\"></a></savedata>");
    // The document is written beside the file, and then the program dies before the replace.
    s::str::strbuffer::StrBuffer temp;
    ASSERT_TRUE(node->writeTempFile(path.get(), &temp));
    std::string now;
    ASSERT_TRUE(box.readFile(L"SaveData.xml", &now));
    EXPECT_EQ(old, now);
    // The next save replaces both the file and the stale copy beside it.
    ASSERT_TRUE(node->saveFile(path.get()));
    ASSERT_TRUE(box.readFile(L"SaveData.xml", &now));
    EXPECT_EQ("<savedata><a v=\"2\"></a></savedata>", now);
    EXPECT_FALSE(box.exists(L"SaveData.xml.tmp"));
}

TEST(NodeFileTest, ASaveThatCannotWriteKeepsTheOldFile) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.writeFile(L"SaveData.xml", "<savedata></savedata>"));
    // A folder where the copy beside the file would go: the write fails before any replace.
    ASSERT_TRUE(box.makeFolder(L"SaveData.xml.tmp"));
    Pooled<Node> node;
    node->parse(L"<savedata><changed/></savedata>");
    EXPECT_FALSE(node->saveFileText(box.at(L"SaveData.xml").c_str()));
    std::string now;
    ASSERT_TRUE(box.readFile(L"SaveData.xml", &now));
    EXPECT_EQ("<savedata></savedata>", now);
}

}  // namespace
