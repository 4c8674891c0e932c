// tests/s/file/wiper/win/WiperLinkTest.cpp
//
// Nothing outside what was given: a link to a file (which Wine shows as a plain file) and a
// file with other names are left, with what they lead to, and listed with why; everything
// else of a folder holding them is wiped. Links and other names are made by the session
// inside each test's sandbox; every method is tried.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "s/file/win/HandleCheck.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "support/Bytes.h"
#include "support/Sandbox.h"

namespace {

using s::file::wiper::Survival;
using s::file::wiper::win::Wiper;

using tests::bytesOf;
using Entry = std::tuple<std::wstring, Survival, std::wstring>;  // path, why, name now

FILETIME writeTimeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

s::file::wiper::IMethod* newMethod(int index) {
    switch (index) {
    case 0: return s::thread::Pool<s::file::wiper::win::Method_Gutmann>::obtain();
    case 1: return s::thread::Pool<s::file::wiper::win::Method_DoD>::obtain();
    case 2: return s::thread::Pool<s::file::wiper::win::Method_DoD_E>::obtain();
    default: return s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain();
    }
}

class WiperLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.ok());
        wiper = s::thread::Pool<Wiper>::obtain();
        ASSERT_NE(nullptr, wiper);
    }
    void TearDown() override {
        if (wiper) wiper->releaseToPool();
    }
    void prepare(int method) {
        wiper->reset();
        ASSERT_TRUE(wiper->prepare());
        wiper->setMethod(newMethod(method));
        for (auto set : {&Wiper::setSizeChangeCount, &Wiper::setRenameCount, &Wiper::setAttributeChangeCount,
                         &Wiper::setTimestampChangeCount})
            (wiper->*set)(2);
    }
    bool runToEnd() {
        if (!wiper->start()) return false;
        for (int waited = 0; waited < 60000 && wiper->isRunning(); waited += 10) Sleep(10);
        return !wiper->isRunning();
    }
    std::vector<Entry> entries() {
        std::vector<Entry> out;
        s::str::strbuffer::StrBuffer path, now;
        Survival why = Survival::kUnknown;
        for (uint32_t i = 0; wiper->getFailedEntry(i, &path, &why, &now); ++i)
            out.emplace_back(path.cString(), why, now.cString());
        std::sort(out.begin(), out.end());
        return out;
    }
    std::string contentOf(const std::wstring& relative) {
        std::string bytes;
        return box.readFile(relative, &bytes) ? bytes : "<missing>";
    }

    tests::Sandbox box;
    Wiper* wiper = nullptr;
};

// A link to a file outside the dropped folder, queued alone and met inside a queued folder:
// with every method the targets keep every byte, each link stays and is listed as a link,
// and the rest of the folder is wiped (the folder itself stays, holding its link).
TEST_F(WiperLinkTest, ALinkToAFileNeverReachesItsTargetWithAnyMethod) {
    const wchar_t* methods[] = {L"Gutmann", L"DoD", L"DoD E", L"pseudo-random"};
    for (int method = 0; method < 4; ++method) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(methods[method])));
        const std::wstring run = L"run" + std::to_wstring(method);
        ASSERT_TRUE(box.makeFolder(run));
        ASSERT_TRUE(box.makeFolder(run + L"\\target"));
        ASSERT_TRUE(box.makeFolder(run + L"\\drop"));
        ASSERT_TRUE(box.makeFolder(run + L"\\drop\\sub"));
        const std::string alone = bytesOf(5000, 1 + method), inside = bytesOf(9000, 11 + method);
        ASSERT_TRUE(box.writeFile(run + L"\\target\\t4.bin", alone));
        ASSERT_TRUE(box.writeFile(run + L"\\target\\t1.bin", inside));
        ASSERT_TRUE(box.writeFile(run + L"\\drop\\own.txt", bytesOf(3000, 21)));
        ASSERT_TRUE(box.writeFile(run + L"\\drop\\sub\\deep.bin", bytesOf(70000, 22)));
        ASSERT_TRUE(box.makeLink(run + L"\\filelink.bin", L"target/t4.bin")) << "the session made no link";
        ASSERT_TRUE(box.makeLink(run + L"\\drop\\inlink.bin", L"../target/t1.bin"));
        const FILETIME before = writeTimeOf(box.at(run + L"\\target\\t4.bin"));
        prepare(method);
        wiper->addPath(box.at(run + L"\\filelink.bin").c_str());
        wiper->addPath(box.at(run + L"\\drop").c_str());
        ASSERT_TRUE(runToEnd());

        EXPECT_EQ(alone, contentOf(run + L"\\target\\t4.bin"));
        EXPECT_EQ(inside, contentOf(run + L"\\target\\t1.bin"));
        const FILETIME after = writeTimeOf(box.at(run + L"\\target\\t4.bin"));
        EXPECT_EQ(0, CompareFileTime(&before, &after)) << "not even the target's time stamps change";
        EXPECT_EQ(alone, contentOf(run + L"\\filelink.bin")) << "the link stays, leading to its target";
        EXPECT_EQ(inside, contentOf(run + L"\\drop\\inlink.bin"));
        EXPECT_FALSE(box.exists(run + L"\\drop\\own.txt"));
        EXPECT_FALSE(box.exists(run + L"\\drop\\sub"));
        EXPECT_EQ((std::vector<Entry>{{box.at(run + L"\\drop"), Survival::kPartlyWiped, L""},
                                      {box.at(run + L"\\drop\\inlink.bin"), Survival::kThroughLink, L""},
                                      {box.at(run + L"\\filelink.bin"), Survival::kThroughLink, L""}}),
                  entries());
    }
}

// A file with another name (a hard link made on the host) would lose its data under every
// name at once: it is left with its bytes, times and names, and listed; the rest goes.
TEST_F(WiperLinkTest, AFileWithOtherNamesIsLeftUnderAllOfThem) {
    ASSERT_TRUE(box.makeFolder(L"elsewhere"));
    ASSERT_TRUE(box.makeFolder(L"drop"));
    const std::string original = bytesOf(6000, 31), second = bytesOf(2000, 32);
    ASSERT_TRUE(box.writeFile(L"elsewhere\\orig.txt", original));
    ASSERT_TRUE(box.writeFile(L"elsewhere\\second.txt", second));
    ASSERT_TRUE(box.writeFile(L"drop\\own.txt", bytesOf(4000, 33)));
    ASSERT_TRUE(box.makeHardLink(L"drop\\alias.txt", L"../elsewhere/orig.txt")) << "the session made no hard link";
    ASSERT_TRUE(box.makeHardLink(L"twin.txt", L"elsewhere/second.txt"));
    const FILETIME before = writeTimeOf(box.at(L"elsewhere\\orig.txt"));
    const DWORD attributes = GetFileAttributesW(box.at(L"elsewhere\\orig.txt").c_str());
    prepare(3);
    wiper->addPath(box.at(L"drop").c_str());
    wiper->addPath(box.at(L"twin.txt").c_str());
    ASSERT_TRUE(runToEnd());

    EXPECT_EQ(original, contentOf(L"elsewhere\\orig.txt"));
    EXPECT_EQ(original, contentOf(L"drop\\alias.txt"));
    EXPECT_EQ(second, contentOf(L"elsewhere\\second.txt"));
    EXPECT_EQ(second, contentOf(L"twin.txt"));
    const FILETIME after = writeTimeOf(box.at(L"elsewhere\\orig.txt"));
    EXPECT_EQ(0, CompareFileTime(&before, &after));
    EXPECT_EQ(attributes, GetFileAttributesW(box.at(L"elsewhere\\orig.txt").c_str()));
    EXPECT_FALSE(box.exists(L"drop\\own.txt"));
    EXPECT_EQ((std::vector<Entry>{{box.at(L"drop"), Survival::kPartlyWiped, L""},
                                  {box.at(L"drop\\alias.txt"), Survival::kOtherNames, L""},
                                  {box.at(L"twin.txt"), Survival::kOtherNames, L""}}),
              entries());
}

// As on XP (no final path): the attributes are the rule again, which still refuses links to
// folders and other names of a file (under Wine a link to a file then shows nothing: Windows
// shows it by its attribute, which XP's links to files do not exist to need).
TEST_F(WiperLinkTest, WithoutTheFinalPathFolderLinksAndOtherNamesAreStillLeft) {
    ASSERT_TRUE(box.makeFolder(L"elsewhere"));
    ASSERT_TRUE(box.writeFile(L"elsewhere\\kept.txt", "kept"));
    ASSERT_TRUE(box.makeFolder(L"drop"));
    ASSERT_TRUE(box.writeFile(L"drop\\own.txt", "own"));
    ASSERT_TRUE(box.makeLink(L"drop\\folderlink", L"../elsewhere"));
    ASSERT_TRUE(box.makeHardLink(L"drop\\alias.txt", L"../elsewhere/kept.txt"));
    ASSERT_TRUE(box.makeLink(L"queuedlink", L"elsewhere"));
    prepare(3);
    wiper->addPath(box.at(L"drop").c_str());
    wiper->addPath(box.at(L"queuedlink").c_str());
    const s::file::win::FinalPathFunction before = s::file::win::installFinalPathFunction(nullptr);
    const bool ended = runToEnd();
    s::file::win::installFinalPathFunction(before);
    ASSERT_TRUE(ended);
    EXPECT_EQ("kept", contentOf(L"elsewhere\\kept.txt"));
    EXPECT_TRUE(box.exists(L"drop\\folderlink\\kept.txt"));
    EXPECT_FALSE(box.exists(L"drop\\own.txt"));
    EXPECT_EQ((std::vector<Entry>{{box.at(L"drop"), Survival::kPartlyWiped, L""},
                                  {box.at(L"drop\\alias.txt"), Survival::kOtherNames, L""},
                                  {box.at(L"queuedlink"), Survival::kThroughLink, L""}}),
              entries());
}

}  // namespace
