// tests/s/reg/win/RegDirTest.cpp
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/ArrayU08.h"
#include "s/reg/win/NtRegistry.h"
#include "s/reg/win/RegDir.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"
#include "support/RegistryFixture.h"

namespace {

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::reg::win::RegDir;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using tests::Pooled;
using tests::text;

class RegDirTest : public tests::RegistryFixture {
protected:
    // A key object on HKEY_CURRENT_USER at a path below the private key, opened if it exists.
    RegDir* key(const std::wstring& relative) {
        m_keys.emplace_back(new RegDir());
        m_keys.back()->openAt(HKEY_CURRENT_USER, at(relative).c_str());
        return m_keys.back().get();
    }

    static std::vector<uint8_t> bytesOf(const ArrayU08* a) {
        return a ? std::vector<uint8_t>(a->data(), a->data() + a->count()) : std::vector<uint8_t>();
    }

    static std::vector<uint8_t> pattern(size_t n) {
        std::vector<uint8_t> v(n);
        for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + i / 251);
        return v;
    }

    static std::wstring userSid() {
        HANDLE token = nullptr;
        std::wstring result;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return result;
        std::vector<uint8_t> user(256);
        DWORD size = 0;
        if (GetTokenInformation(token, TokenUser, user.data(), 256, &size)) {
            wchar_t* sid = nullptr;
            if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
                result = sid;
                LocalFree(sid);
            }
        }
        CloseHandle(token);
        return result;
    }

private:
    std::vector<std::unique_ptr<RegDir>> m_keys;
};

TEST_F(RegDirTest, CurrentUserIsTheTokenUsersTree) {
    ASSERT_NE(nullptr, s::reg::win::ntRegistry());
    RegDir dir;
    ASSERT_TRUE(dir.openAt(HKEY_CURRENT_USER, base().c_str()));
    std::wstring sid = userSid();
    ASSERT_FALSE(sid.empty());
    EXPECT_EQ(L"\\Registry\\User\\" + sid + L"\\" + base(), text(dir.nativePath()));
    EXPECT_EQ(L"HKEY_CURRENT_USER\\" + base(), text(dir.displayPath()));
}

TEST_F(RegDirTest, ValuesAboveTheFirstBufferAreReadWhole) {
    // 16384 bytes is the shared buffer's first size; the record header comes on top.
    for (size_t n : {size_t{16300}, size_t{16384}, size_t{20000}, size_t{300000}}) {
        SCOPED_TRACE(n);
        std::vector<uint8_t> data = pattern(n);
        ASSERT_TRUE(writeRaw(L"", L"big", REG_BINARY, data));
        RegDir* dir = key(L"");
        EXPECT_EQ(n, dir->valueSize(L"big"));
        Pooled<ArrayU08> bytes(dir->getBytes(L"big"));
        EXPECT_EQ(data, bytesOf(bytes.get()));
    }
}

TEST_F(RegDirTest, TwoThreadsReadTheSameLargeValue) {
    std::vector<uint8_t> data = pattern(40000);
    ASSERT_TRUE(writeRaw(L"", L"big", REG_BINARY, data));
    std::atomic<int> wrong{0};
    auto reader = [&] {
        RegDir dir;
        dir.openAt(HKEY_CURRENT_USER, base().c_str());
        ArrayU08 bytes;
        for (int i = 0; i < 50; ++i)
            if (!dir.getBytes(L"big", &bytes) || bytesOf(&bytes) != data) ++wrong;
    };
    std::thread a(reader), b(reader);
    a.join();
    b.join();
    EXPECT_EQ(0, wrong.load());
}

TEST_F(RegDirTest, CreateMakesEveryMissingLevel) {
    RegDir* dir = key(L"A\\B\\C");
    EXPECT_FALSE(dir->isOpen());
    ASSERT_TRUE(dir->create());
    EXPECT_TRUE(exists(L"A"));
    EXPECT_TRUE(exists(L"A\\B"));
    EXPECT_TRUE(exists(L"A\\B\\C"));
    EXPECT_TRUE(dir->setU32(L"v", 7));
    EXPECT_EQ(7u, key(L"A\\B\\C")->getU32(L"v", 0));
}

TEST_F(RegDirTest, WritesMakeTheKeyFirst) {
    RegDir* dir = key(L"X\\Y");
    ASSERT_TRUE(dir->setString(L"s", L"made"));
    DWORD type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(readRaw(L"X\\Y", L"s", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(utf16(L"made", 1), data);
}

TEST_F(RegDirTest, DeleteRemovesTheWholeTree) {
    ASSERT_TRUE(makeKey(L"T\\A\\B\\C"));
    ASSERT_TRUE(makeKey(L"T\\D"));
    uint32_t one = 1;
    ASSERT_TRUE(writeRaw(L"T\\A\\B", L"v", REG_DWORD, &one, 4));
    ASSERT_TRUE(writeRaw(L"T", L"top", REG_DWORD, &one, 4));

    RegDir* keep = key(L"T");
    EXPECT_TRUE(keep->deleteKey(false));  // the subkeys only
    EXPECT_TRUE(exists(L"T"));
    EXPECT_FALSE(exists(L"T\\A"));
    EXPECT_FALSE(exists(L"T\\D"));
    EXPECT_EQ(1u, key(L"T")->getU32(L"top", 0));

    ASSERT_TRUE(makeKey(L"T\\E\\F"));
    EXPECT_TRUE(key(L"T")->deleteKey(true));
    EXPECT_FALSE(exists(L"T"));
    EXPECT_TRUE(exists(L""));
}

TEST_F(RegDirTest, DeleteAndRenameRefuseRootsAndEmptyPaths) {
    ASSERT_TRUE(makeKey(L"sentinel"));
    const std::wstring sid = userSid();
    ASSERT_FALSE(sid.empty());
    struct Row {
        HKEY root;
        std::wstring path;
        const char* why;
    } rows[] = {
        {HKEY_CURRENT_USER, L"", "an empty path is the root itself"},
        {HKEY_CURRENT_USER, L"\\", "a separator alone is no path either"},
        {HKEY_CURRENT_USER, L"\\\\\\", "nor are several"},
        {HKEY_USERS, sid, "HKEY_USERS\\<SID> is HKEY_CURRENT_USER"},
        {HKEY_USERS, sid + L"\\", "with a trailing separator too"},
        {HKEY_USERS, L"", "HKEY_USERS itself"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RegDir dir;
        dir.openAt(row.root, row.path.c_str());
        EXPECT_FALSE(dir.deleteKey(false));
        EXPECT_FALSE(dir.deleteKey(true));
        EXPECT_FALSE(dir.rename(L"Renamed"));
        ASSERT_TRUE(exists(L"sentinel"));
    }
    RegDir full;
    full.openFullPath(L"HKEY_CURRENT_USER\\");
    EXPECT_FALSE(full.deleteKey(true));
    EXPECT_TRUE(exists(L"sentinel"));
}

TEST_F(RegDirTest, DeleteRemovesALinkNotItsTarget) {
    ASSERT_TRUE(makeKey(L"Target\\Child"));
    uint32_t one = 1;
    ASSERT_TRUE(writeRaw(L"Target\\Child", L"keep", REG_DWORD, &one, 4));
    ASSERT_TRUE(makeKey(L"Tree"));
    HKEY link = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, at(L"Tree\\Link").c_str(), 0, nullptr,
                                             REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, nullptr, &link, nullptr));
    RegDir target;
    target.openAt(HKEY_CURRENT_USER, at(L"Target").c_str());
    std::wstring targetPath = text(target.nativePath());
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                            reinterpret_cast<const BYTE*>(targetPath.data()),
                                            static_cast<DWORD>(targetPath.size() * 2)));
    RegCloseKey(link);
    ASSERT_TRUE(exists(L"Tree\\Link\\Child")) << "the link leads to the target";

    EXPECT_TRUE(key(L"Tree")->deleteKey(true));
    EXPECT_FALSE(exists(L"Tree"));
    EXPECT_TRUE(exists(L"Target\\Child"));
    EXPECT_EQ(1u, key(L"Target\\Child")->getU32(L"keep", 0));
}

TEST_F(RegDirTest, RenameKeepsTheValues) {
    uint32_t five = 5;
    ASSERT_TRUE(writeRaw(L"Old\\Sub", L"v", REG_DWORD, &five, 4));
    RegDir* dir = key(L"Old");
    EXPECT_FALSE(dir->rename(L"a\\b"));
    EXPECT_TRUE(dir->rename(L"New"));
    EXPECT_FALSE(dir->isOpen());
    EXPECT_FALSE(exists(L"Old"));
    EXPECT_EQ(5u, key(L"New\\Sub")->getU32(L"v", 0));
}

TEST_F(RegDirTest, StringsAreReadWithinTheirData) {
    SetEnvironmentVariableW(L"S_REG_TEST_LONG", std::wstring(600, L'x').c_str());
    wchar_t windir[520];
    DWORD n = ExpandEnvironmentStringsW(L"%WINDIR%\\x", windir, 520);
    ASSERT_GT(n, 0u);
    struct Row {
        DWORD type;
        std::vector<uint8_t> data;
        bool expand;
        bool found;
        std::wstring text;
        bool expandable;
        const char* why;
    } rows[] = {
        {REG_SZ, utf16(L"abc", 1), false, true, L"abc", false, "a terminated text"},
        {REG_SZ, utf16(L"abc", 0), false, true, L"abc", false, "no zero: ends with the data"},
        {REG_SZ, [] { auto v = utf16(L"abc", 0); v.push_back('d'); return v; }(), false, true, L"abc", false,
         "an odd last byte is dropped"},
        {REG_SZ, utf16(std::wstring(L"ab\0cd", 5), 1), false, true, L"ab", false, "the text ends at its first zero"},
        {REG_SZ, {}, false, true, L"", false, "zero bytes: the empty text"},
        {REG_DWORD, {}, false, true, L"", false, "zero bytes of any type: the empty text"},
        {REG_EXPAND_SZ, utf16(L"%WINDIR%\\x", 1), false, true, L"%WINDIR%\\x", true, "raw unless asked"},
        {REG_EXPAND_SZ, utf16(L"%WINDIR%\\x", 1), true, true, windir, true, "expanded when asked"},
        {REG_EXPAND_SZ, utf16(L"%S_REG_TEST_LONG%%S_REG_TEST_LONG%", 0), true, true, std::wstring(1200, L'x'),
         true, "an expansion above 520 units is whole"},
        {REG_DWORD, {1, 0, 0, 0}, false, false, L"", false, "a number is no text"},
        {REG_BINARY, utf16(L"abc", 1), false, false, L"", false, "nor are bytes"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ASSERT_TRUE(writeRaw(L"", L"s", row.type, row.data));
        StrBuffer out;
        out.setText(L"untouched");
        bool expandable = !row.expandable;
        EXPECT_EQ(row.found, key(L"")->getString(L"s", &out, &expandable, row.expand));
        EXPECT_EQ(row.found ? row.text : L"untouched", text(&out));
        EXPECT_EQ(row.expandable, expandable);
    }
    StrBuffer out;
    EXPECT_FALSE(key(L"")->getString(L"missing", &out));
}

TEST_F(RegDirTest, LongValueNamesAreListedAndRead) {
    // Value names reach 16383 units; the first name buffer holds about 500.
    const std::wstring names[] = {std::wstring(600, L'n'), std::wstring(5000, L'm') + L"end", L"short"};
    for (uint32_t i = 0; i < 3; ++i) ASSERT_TRUE(writeRaw(L"", names[i].c_str(), REG_DWORD, &i, 4));
    Pooled<StrArray> list(key(L"")->valueNames());
    ASSERT_EQ(3u, list->count());
    for (uint32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        bool listed = false;
        for (uint32_t j = 0; j < list->count(); ++j) listed |= text(list->at(j)) == names[i];
        EXPECT_TRUE(listed);
        EXPECT_EQ(i, key(L"")->getU32(names[i].c_str(), 99));
    }
    EXPECT_TRUE(key(L"")->setU32(names[1].c_str(), 42));
    EXPECT_EQ(42u, key(L"")->getU32(names[1].c_str(), 0));
}

TEST_F(RegDirTest, MultiStringsReadAsLists) {
    struct Row {
        std::vector<uint8_t> data;
        std::vector<std::wstring> strings;
        const char* why;
    } rows[] = {
        {utf16(std::wstring(L"a\0b", 3), 2), {L"a", L"b"}, "two strings, double zero"},
        {utf16(L"", 2), {}, "one empty string is an empty list"},
        {utf16(std::wstring(L"a\0b", 3), 0), {L"a", L"b"}, "no final zeros: to the data's end"},
        {utf16(std::wstring(L"a\0b", 3), 1), {L"a", L"b"}, "one final zero"},
        {utf16(L"", 1), {}, "three bytes or fewer are not read"},
        {utf16(std::wstring(L"only", 4), 1), {L"only"}, "one string"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ASSERT_TRUE(writeRaw(L"", L"m", REG_MULTI_SZ, row.data));
        Pooled<StrArray> list(key(L"")->getStringList(L"m"));
        ASSERT_NE(nullptr, list.get());
        std::vector<std::wstring> got;
        for (uint32_t i = 0; i < list->count(); ++i) got.push_back(text(list->at(i)));
        EXPECT_EQ(row.strings, got);
    }
    ASSERT_TRUE(writeRaw(L"", L"sz", REG_SZ, utf16(L"a", 1)));
    StrArray given;
    given.addString(L"old");
    EXPECT_EQ(nullptr, key(L"")->getStringList(L"sz", &given));
    EXPECT_EQ(0u, given.count());

    StrArray written;
    written.addString(L"x");
    written.addString(L"yz");
    ASSERT_TRUE(key(L"")->setStringList(L"w", &written));
    DWORD type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(readRaw(L"", L"w", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    EXPECT_EQ(utf16(std::wstring(L"x\0yz", 4), 2), data);
}

TEST_F(RegDirTest, TypedReadsGoByDataSize) {
    uint32_t dword = 0xFFFFFFFF;
    uint64_t qword = 0x1122334455667788ULL;
    ASSERT_TRUE(writeRaw(L"", L"d", REG_DWORD, &dword, 4));
    ASSERT_TRUE(writeRaw(L"", L"q", REG_BINARY, &qword, 8));
    ASSERT_TRUE(writeRaw(L"", L"b4", REG_BINARY, &dword, 4));
    ASSERT_TRUE(writeRaw(L"", L"three", REG_BINARY, &dword, 3));
    RegDir* dir = key(L"");
    EXPECT_EQ(255u, dir->getU8(L"d", 1));
    EXPECT_EQ(-1, dir->getS8(L"d", 1));
    EXPECT_EQ(0xFFFFu, dir->getU16(L"d", 1));
    EXPECT_EQ(-1, dir->getS32(L"d", 1));
    EXPECT_EQ(7u, dir->getU64(L"d", 7)) << "a DWORD is no 64-bit value";
    EXPECT_EQ(7u, dir->getU32(L"q", 7)) << "8 bytes are no 32-bit value";
    EXPECT_EQ(qword, dir->getU64(L"q", 0));
    EXPECT_EQ(0xFFFFFFFFu, dir->getU32(L"b4", 0)) << "4 bytes of any type";
    EXPECT_EQ(9u, dir->getU32(L"three", 9));
    EXPECT_TRUE(dir->getBool(L"d", false));
    EXPECT_EQ(3u, dir->getU32(L"missing", 3));
}

TEST_F(RegDirTest, FullPathsNameTheirRoot) {
    struct Row {
        const wchar_t* text;
        HKEY root;
        const wchar_t* path;
    } rows[] = {
        {L"HKEY_CURRENT_USER\\Software", HKEY_CURRENT_USER, L"Software"},
        {L"HKEY_LOCAL_MACHINE\\Software\\Wine", HKEY_LOCAL_MACHINE, L"Software\\Wine"},
        {L"HKEY_USERS\\.DEFAULT", HKEY_USERS, L".DEFAULT"},
        {L"HKEY_CLASSES_ROOT\\txtfile", HKEY_CLASSES_ROOT, L"txtfile"},
        {L"HKEY_CURRENT_CONFIG\\Software", HKEY_CURRENT_CONFIG, L"Software"},
        {L"HKEY_CURRENT_USERX\\a", HKEY_CURRENT_USER, L"InvalidKey"},
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER, L"InvalidKey"},
        {L"Software\\a", HKEY_CURRENT_USER, L"InvalidKey"},
        {L"", HKEY_CURRENT_USER, L"InvalidKey"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        RegDir dir;
        dir.openFullPath(row.text);
        EXPECT_EQ(row.root, dir.root());
        EXPECT_EQ(row.path, text(dir.keyPath()));
    }
    RegDir software;
    EXPECT_TRUE(software.openFullPath(L"HKEY_CURRENT_USER\\Software"));
    EXPECT_TRUE(software.isOpen());
}

TEST_F(RegDirTest, PathsNamesAndParents) {
    RegDir dir;
    EXPECT_EQ(HKEY_LOCAL_MACHINE, dir.root());
    EXPECT_EQ(L"HKEY_LOCAL_MACHINE", text(dir.displayPath()));
    EXPECT_EQ(L"\\Registry\\Machine", text(dir.nativePath()));
    EXPECT_FALSE(dir.setRoot(reinterpret_cast<HKEY>(0x80000004)));  // HKEY_PERFORMANCE_DATA
    EXPECT_EQ(HKEY_LOCAL_MACHINE, dir.root());

    ASSERT_TRUE(makeKey(L"P\\Q"));
    dir.openAt(HKEY_CURRENT_USER, (L"\\" + base() + L"\\\\P\\Q\\").c_str());
    EXPECT_TRUE(dir.isOpen()) << "separators are tidied";
    EXPECT_EQ(at(L"P\\Q"), text(dir.keyPath()));
    EXPECT_STREQ(L"Q", dir.name());
    Pooled<RegDir> parent(static_cast<RegDir*>(dir.parentKey()));
    ASSERT_NE(nullptr, parent.get());
    EXPECT_EQ(at(L"P"), text(parent->keyPath()));
    EXPECT_TRUE(parent->isOpen());
    EXPECT_EQ(HKEY_CURRENT_USER, parent->root());

    RegDir top;
    top.openAt(HKEY_CURRENT_USER, L"Software");
    EXPECT_EQ(nullptr, top.parentKey()) << "no parent reaches a root";
    EXPECT_STREQ(L"Software", top.name());
    EXPECT_TRUE(top.reopen());
    top.close();
    EXPECT_FALSE(top.reopen()) << "a closed key stays closed";
}

TEST_F(RegDirTest, SubkeysAreListedAndFiltered) {
    for (const wchar_t* name : {L"Alpha", L"alpine", L"Beta"}) ASSERT_TRUE(makeKey(name));
    Pooled<ArrayP> all(key(L"")->subkeys());
    ASSERT_EQ(3u, all->count());
    Pooled<ArrayP> al(key(L"")->subkeysMatching(L"AL"));
    ASSERT_EQ(2u, al->count());
    for (uint32_t i = 0; i < al->count(); ++i) {
        RegDir* child = al->item<RegDir>(i);
        EXPECT_TRUE(child->isOpen());
        std::wstring name = child->name();
        EXPECT_TRUE(name == L"Alpha" || name == L"alpine") << testing::PrintToString(name);
        EXPECT_EQ(at(name), text(child->keyPath()));
    }
    Pooled<ArrayP> none(key(L"missing")->subkeys());
    ASSERT_NE(nullptr, none.get());
    EXPECT_EQ(0u, none->count());
}

TEST_F(RegDirTest, TotalSizeCountsValuesAndKeys) {
    std::vector<uint8_t> data = pattern(100);
    ASSERT_TRUE(writeRaw(L"", L"a", REG_BINARY, data));
    ASSERT_TRUE(writeRaw(L"S", L"b", REG_BINARY, pattern(20000)));
    ASSERT_TRUE(writeRaw(L"S\\T", L"c", REG_BINARY, pattern(7)));
    ASSERT_TRUE(makeKey(L"U"));
    uint32_t keys = 0, values = 0;
    EXPECT_EQ(100u, key(L"")->totalSize(false, &keys, &values));
    EXPECT_EQ(2u, keys);
    EXPECT_EQ(1u, values);
    keys = values = 0;
    EXPECT_EQ(20107u, key(L"")->totalSize(true, &keys, &values));
    EXPECT_EQ(3u, keys);
    EXPECT_EQ(3u, values);
    EXPECT_EQ(0u, key(L"missing")->totalSize(true));
}

TEST_F(RegDirTest, DeleteValueFlushAndPool) {
    RegDir* dir = key(L"");
    ASSERT_TRUE(dir->setU32(L"v", 1));
    EXPECT_TRUE(dir->flush());
    EXPECT_TRUE(dir->deleteValue(L"v"));
    EXPECT_FALSE(dir->deleteValue(L"v"));
    EXPECT_FALSE(dir->queryValue(L"v", nullptr, nullptr));

    RegDir* pooled = s::thread::Pool<RegDir>::obtain();
    ASSERT_NE(nullptr, pooled);
    EXPECT_STREQ(L"s_reg_win_RegDir", pooled->classId());
    pooled->openAt(HKEY_CURRENT_USER, base().c_str());
    pooled->resetForReuse();
    EXPECT_FALSE(pooled->isOpen());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, pooled->root());
    EXPECT_EQ(L"", text(pooled->keyPath()));
    pooled->releaseToPool();
}

TEST_F(RegDirTest, QueryReportsTypeAndSize) {
    ASSERT_TRUE(writeRaw(L"", L"s", REG_SZ, utf16(L"abc", 1)));
    uint32_t type = 1, size = 1;
    EXPECT_FALSE(key(L"")->queryValue(L"s", &type, &size, REG_DWORD)) << "another type is refused";
    EXPECT_EQ(static_cast<uint32_t>(REG_SZ), type) << "but still told";
    EXPECT_EQ(8u, size);
    EXPECT_TRUE(key(L"")->queryValue(L"s", &type, &size, REG_SZ));
    EXPECT_FALSE(key(L"")->queryValue(L"missing", &type, &size));
    EXPECT_EQ(0u, type);
    EXPECT_EQ(0u, size);
}

}  // namespace
