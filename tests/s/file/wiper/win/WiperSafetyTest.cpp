// tests/s/file/wiper/win/WiperSafetyTest.cpp
//
// The engine never reaches anything but the items it was given, and never reports an item
// as wiped that it did not wipe: device names, dot components, missing items, slack mode,
// streams it could not list, names Windows cannot express. Each test works inside its own
// sandbox folder only, with the real pseudo-random method.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "s/file/win/PathWin.h"
#include "s/file/win/StreamQuery.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/thread/Pool.h"
#include "support/Sandbox.h"

namespace {

using s::file::wiper::win::Wiper;

std::wstring verbatim(const std::wstring& path) { return L"\\\\?\\" + path; }

// Files whose names Win32 would turn into something else are made through the long form.
bool writeVerbatim(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL good = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return good && written == bytes.size();
}

class WiperSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.ok());
        wiper = s::thread::Pool<Wiper>::obtain();
        ASSERT_NE(nullptr, wiper);
        ASSERT_TRUE(wiper->prepare());
        wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain());
        for (auto set : {&Wiper::setSizeChangeCount, &Wiper::setRenameCount, &Wiper::setAttributeChangeCount,
                         &Wiper::setTimestampChangeCount})
            (wiper->*set)(1);
    }
    void TearDown() override {
        if (wiper) wiper->releaseToPool();
    }
    bool runToEnd() {
        if (!wiper->start()) return false;
        for (int waited = 0; waited < 60000 && wiper->isRunning(); waited += 10) Sleep(10);
        return !wiper->isRunning();
    }
    std::vector<std::wstring> failures() {
        std::vector<std::wstring> out;
        s::str::strarray::StrArray* failed = wiper->getFailedPaths();
        for (uint32_t i = 0; failed && i < failed->count(); ++i) out.push_back(failed->at(i)->cString());
        if (failed) failed->releaseToPool();
        return out;
    }
    // The names in a sandbox folder ("" for the sandbox itself).
    std::vector<std::wstring> namesIn(const std::wstring& relative) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const std::wstring folder = relative.empty() ? box.path() : box.at(relative);
        HANDLE find = FindFirstFileW(verbatim(folder + L"\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }

    tests::Sandbox box;
    Wiper* wiper = nullptr;
};

// The session points every device link of its prefix (com1 and the like) at a canary file
// of its own, shown on a drive of its own: none of them may change.
std::vector<std::pair<std::wstring, std::string>> deviceCanaries() {
    std::vector<std::pair<std::wstring, std::string>> canaries;
    const wchar_t* root = _wgetenv(L"S_DEVICE_CANARY_ROOT");
    if (!root || !*root) return canaries;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(verbatim(std::wstring(root) + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return canaries;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        HANDLE h = CreateFileW(verbatim(std::wstring(root) + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        std::string text(256, '\0');
        DWORD got = 0;
        if (h != INVALID_HANDLE_VALUE) {
            ReadFile(h, &text[0], 255, &got, nullptr);
            CloseHandle(h);
        }
        text.resize(got);
        canaries.push_back({name, text});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return canaries;
}

// A folder of files named like devices, and such a file queued itself: each is wiped as the
// file it is, and no device (here: the canary behind it) is ever written to.
TEST_F(WiperSafetyTest, DeviceNamedFilesAreWipedAndNoDeviceIsReached) {
    const auto before = deviceCanaries();
    ASSERT_FALSE(before.empty()) << "the session shows no device canaries";
    for (const auto& canary : before)
        ASSERT_EQ("device canary " + std::string(canary.first.begin(), canary.first.end()) + "\n", canary.second);
    ASSERT_TRUE(box.makeFolder(L"devs"));
    const wchar_t* names[] = {L"COM1", L"com2.txt", L"aux.c", L"NUL", L"nul.txt", L"Lpt1 .txt", L"PRN", L"con"};
    for (const wchar_t* name : names) ASSERT_TRUE(writeVerbatim(box.at(L"devs\\") + name, std::string(5000, 'd')));
    ASSERT_TRUE(writeVerbatim(box.at(L"COM3"), std::string(3000, 'q')));
    wiper->addPath(box.at(L"devs").c_str());
    wiper->addPath(box.at(L"COM3").c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(failures().empty()) << testing::PrintToString(failures());
    EXPECT_TRUE(namesIn(L"").empty()) << testing::PrintToString(namesIn(L""));
    EXPECT_EQ(before, deviceCanaries());
}

// The "\\?\" form takes "." and ".." as names; a long path holding ".." needs that form. Both
// wipe exactly the item their text names, and one that climbs above its drive is refused.
TEST_F(WiperSafetyTest, DotComponentsWipeExactlyTheNamedFile) {
    ASSERT_TRUE(box.makeFolder(L"x1"));
    ASSERT_TRUE(box.makeFolder(L"x2"));
    ASSERT_TRUE(box.writeFile(L"x1\\f.txt", "x1 f"));
    ASSERT_TRUE(box.writeFile(L"x2\\f.txt", "x2 f"));
    ASSERT_TRUE(box.writeFile(L"x2\\g.txt", "x2 g"));
    const std::wstring deep = std::wstring(130, L'd');
    ASSERT_TRUE(box.makeFolder(L"x2\\" + deep));
    const std::wstring deepFile = L"x2\\" + deep + L"\\" + std::wstring(130, L'e') + L".txt";
    ASSERT_TRUE(box.writeFile(deepFile, "deep"));
    ASSERT_TRUE(box.writeFile(L"x2\\" + deep + L"\\kept.txt", "kept"));
    const std::wstring prefixed = verbatim(box.at(L"x1\\..\\x2\\f.txt"));
    const std::wstring longWithDots = box.at(L"x1\\..\\" + deepFile);
    ASSERT_GE(longWithDots.size(), 274u);
    const std::wstring aboveTheRoot = L"\\\\?\\T:\\..\\" + box.path().substr(3) + L"\\x1\\f.txt";
    wiper->addPath(prefixed.c_str());
    wiper->addPath(longWithDots.c_str());
    wiper->addPath(aboveTheRoot.c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_FALSE(box.exists(L"x2\\f.txt"));
    EXPECT_FALSE(box.exists(deepFile));
    EXPECT_TRUE(box.exists(L"x1\\f.txt"));
    EXPECT_TRUE(box.exists(L"x2\\g.txt"));
    EXPECT_TRUE(box.exists(L"x2\\" + deep + L"\\kept.txt"));
    EXPECT_EQ(std::vector<std::wstring>{aboveTheRoot}, failures());
}

// A queued path that names nothing was not wiped, and says so.
TEST_F(WiperSafetyTest, AMissingQueuedItemIsListed) {
    ASSERT_TRUE(box.writeFile(L"there.txt", "there"));
    wiper->addPath(box.at(L"there.txt").c_str());
    wiper->addPath(box.at(L"not-there.txt").c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_FALSE(box.exists(L"there.txt"));
    EXPECT_EQ(std::vector<std::wstring>{box.at(L"not-there.txt")}, failures());
}

// Slack mode leaves every file in place; the ones it could not treat are listed: a file
// held open by another handle, and a folder that cannot be listed.
TEST_F(WiperSafetyTest, SlackModeListsEveryItemItCouldNotTreat) {
    ASSERT_TRUE(box.makeFolder(L"top"));
    ASSERT_TRUE(box.makeFolder(L"top\\shut"));
    ASSERT_TRUE(box.writeFile(L"top\\free.txt", std::string(1000, 'f')));
    ASSERT_TRUE(box.writeFile(L"top\\held.txt", std::string(1000, 'h')));
    ASSERT_TRUE(box.writeFile(L"top\\shut\\inside.txt", std::string(1000, 'i')));
    HANDLE held = CreateFileW(box.at(L"top\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE shut = CreateFileW(box.at(L"top\\shut").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_NE(INVALID_HANDLE_VALUE, shut);
    wiper->setSlackMode(true);
    wiper->addPath(box.at(L"top").c_str());
    const bool ended = runToEnd();
    CloseHandle(held);
    CloseHandle(shut);
    ASSERT_TRUE(ended);
    std::vector<std::wstring> failed = failures();
    std::sort(failed.begin(), failed.end());
    EXPECT_EQ((std::vector<std::wstring>{box.at(L"top\\held.txt"), box.at(L"top\\shut")}), failed);
    std::string back;
    ASSERT_TRUE(box.readFile(L"top\\free.txt", &back));
    EXPECT_EQ(std::string(1000, 'f'), back);
}

bool claimNamedStreams(const wchar_t* root, DWORD* flags) {
    DWORD real = 0;
    GetVolumeInformationW(root && *root ? root : nullptr, nullptr, 0, nullptr, nullptr, &real, nullptr, 0);
    *flags = real | FILE_NAMED_STREAMS;
    return true;
}

// On a volume that keeps streams, a file whose streams could not be listed (Wine answers
// the query "not implemented", checked) still has its data wiped, and is listed as not
// wholly wiped. Where the volume keeps none, nothing is missing.
TEST_F(WiperSafetyTest, AFailedStreamQueryIsListedWhereTheVolumeKeepsStreams) {
    ASSERT_TRUE(box.writeFile(L"plain.txt", "plain"));
    wiper->addPath(box.at(L"plain.txt").c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(failures().empty());

    ASSERT_TRUE(box.writeFile(L"streams.txt", "streams"));
    wiper->reset();
    ASSERT_TRUE(wiper->prepare());
    wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain());
    wiper->addPath(box.at(L"streams.txt").c_str());
    auto before = s::file::win::installVolumeFlagsReader(&claimNamedStreams);
    const bool ended = runToEnd();
    s::file::win::installVolumeFlagsReader(before);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(box.exists(L"streams.txt"));
    EXPECT_EQ(std::vector<std::wstring>{box.at(L"streams.txt") + L" (its streams could not be listed)"}, failures());
}

// One rule for data that writing over would not reach, for the wiper, its slack mode and
// the exclusive-access test.
TEST(RewrittenElsewhere, EncryptedCompressedAndSparseData) {
    struct Row {
        DWORD attributes;
        bool elsewhere;
    } rows[] = {
        {FILE_ATTRIBUTE_NORMAL, false},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, false},
        {FILE_ATTRIBUTE_COMPRESSED, true},
        {FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_ARCHIVE, true},
        {FILE_ATTRIBUTE_SPARSE_FILE, true},
        {INVALID_FILE_ATTRIBUTES, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.elsewhere, s::file::win::isRewrittenElsewhere(row.attributes)) << row.attributes;
}

// A Linux name with a character Windows cannot express is not wiped through a stand-in
// name, and a named pipe of the host is no file: each is listed, with its folder, and left
// as it was.
TEST_F(WiperSafetyTest, AChildThatNoCallReachesIsListed) {
    ASSERT_TRUE(box.makeFolder(L"odd"));
    ASSERT_TRUE(box.writeFile(L"odd\\fine.txt", "fine"));
    for (const char* name : {"a?b", "c|d.txt", "e\"f", "g*h"}) ASSERT_TRUE(box.makeHostFile(L"odd", name));
    ASSERT_TRUE(box.makeHostFifo(L"odd", "pipe"));
    const std::vector<std::wstring> made = namesIn(L"odd");
    ASSERT_EQ(6u, made.size()) << testing::PrintToString(made);
    wiper->addPath(box.at(L"odd").c_str());
    ASSERT_TRUE(runToEnd());
    std::vector<std::wstring> failed = failures();
    std::sort(failed.begin(), failed.end());
    EXPECT_EQ(5u, namesIn(L"odd").size());
    EXPECT_FALSE(box.exists(L"odd\\fine.txt"));
    std::vector<std::wstring> expected = {box.at(L"odd")};
    for (const wchar_t* name : {L"a?b", L"c|d.txt", L"e\"f", L"g*h", L"pipe"}) expected.push_back(box.at(L"odd\\") + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, failed);
}

}  // namespace
