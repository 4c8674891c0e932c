// tests/s/reg/MappedDataTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <atomic>
#include <thread>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/reg/MappedData.h"
#include "s/reg/win/RegDir.h"
#include "s/str/strarray/StrArray.h"
#include "support/Pooled.h"
#include "support/RegistryFixture.h"

namespace {

using s::col::_array::ArrayU08;
using s::reg::MappedData;
using tests::Pooled;

class MappedDataTest : public tests::RegistryFixture {
protected:
    void SetUp() override {
        RegistryFixture::SetUp();
        m_store = s::reg::openRegistryData(at(L"SaveData").c_str());
        ASSERT_NE(nullptr, m_store);
    }
    void TearDown() override {
        if (m_store) m_store->releaseToPool();
        RegistryFixture::TearDown();
    }

    MappedData& store() { return *m_store; }
    std::wstring saved(const std::wstring& section) const {
        return section.empty() ? L"SaveData" : L"SaveData\\" + section;
    }
    // The value as the plain Win32 calls see it.
    std::pair<DWORD, std::vector<uint8_t>> raw(const std::wstring& section, const wchar_t* name) const {
        DWORD type = 0;
        std::vector<uint8_t> data;
        if (!readRaw(saved(section), name, &type, &data)) return {0xFFFFFFFF, {}};
        return {type, data};
    }

private:
    MappedData* m_store = nullptr;
};

TEST_F(MappedDataTest, EveryTypeIsEncodedAndReadBack) {
    std::vector<uint8_t> three = {1, 2, 3};
    ArrayU08 bytes;
    bytes.append(three.data(), 3, 0);
    ArrayU08 empty;
    struct Row {
        const char* why;
        std::function<void(MappedData&)> set;
        DWORD type;
        std::vector<uint8_t> data;
        std::function<bool(MappedData&)> readsBack;
    } rows[] = {
        {"U8 zero-extended", [](MappedData& m) { m.setU8(L"V", L"n", 200); }, REG_DWORD, {200, 0, 0, 0},
         [](MappedData& m) { return m.getU8(L"V", L"n", 0) == 200; }},
        {"U16", [](MappedData& m) { m.setU16(L"V", L"n", 0xABCD); }, REG_DWORD, {0xCD, 0xAB, 0, 0},
         [](MappedData& m) { return m.getU16(L"V", L"n", 0) == 0xABCD; }},
        {"U32", [](MappedData& m) { m.setU32(L"V", L"n", 0xDEADBEEF); }, REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE},
         [](MappedData& m) { return m.getU32(L"V", L"n", 0) == 0xDEADBEEF; }},
        {"S8 sign-extended", [](MappedData& m) { m.setS8(L"V", L"n", -1); }, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF},
         [](MappedData& m) { return m.getS8(L"V", L"n", 0) == -1; }},
        {"S16", [](MappedData& m) { m.setS16(L"V", L"n", -2); }, REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF},
         [](MappedData& m) { return m.getS16(L"V", L"n", 0) == -2; }},
        {"S32", [](MappedData& m) { m.setS32(L"V", L"n", -3); }, REG_DWORD, {0xFD, 0xFF, 0xFF, 0xFF},
         [](MappedData& m) { return m.getS32(L"V", L"n", 0) == -3; }},
        {"bool true", [](MappedData& m) { m.setBool(L"V", L"n", true); }, REG_DWORD, {1, 0, 0, 0},
         [](MappedData& m) { return m.getBool(L"V", L"n", false); }},
        {"bool false", [](MappedData& m) { m.setBool(L"V", L"n", false); }, REG_DWORD, {0, 0, 0, 0},
         [](MappedData& m) { return !m.getBool(L"V", L"n", true); }},
        {"U64 little-endian", [](MappedData& m) { m.setU64(L"V", L"n", 0x0102030405060708ULL); }, REG_BINARY,
         {8, 7, 6, 5, 4, 3, 2, 1}, [](MappedData& m) { return m.getU64(L"V", L"n", 0) == 0x0102030405060708ULL; }},
        {"S64", [](MappedData& m) { m.setS64(L"V", L"n", -2); }, REG_BINARY,
         {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, [](MappedData& m) { return m.getS64(L"V", L"n", 0) == -2; }},
        {"double IEEE", [](MappedData& m) { m.setDouble(L"V", L"n", 1.5); }, REG_BINARY,
         {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, [](MappedData& m) { return m.getDouble(L"V", L"n", 0) == 1.5; }},
        {"float IEEE", [](MappedData& m) { m.setFloat(L"V", L"n", 1.5f); }, REG_BINARY, {0, 0, 0xC0, 0x3F},
         [](MappedData& m) { return m.getFloat(L"V", L"n", 0) == 1.5f; }},
        {"string with its zero", [](MappedData& m) { m.setString(L"V", L"n", L"h\u00E9"); }, REG_SZ,
         {'h', 0, 0xE9, 0, 0, 0}, [](MappedData& m) { return std::wstring(m.getString(L"V", L"n", L"-")) == L"h\u00E9"; }},
        {"expandable string", [](MappedData& m) { m.setExpandString(L"V", L"n", L"%A%"); }, REG_EXPAND_SZ,
         {'%', 0, 'A', 0, '%', 0, 0, 0},
         [](MappedData& m) { return std::wstring(m.getString(L"V", L"n", L"-")) == L"%A%"; }},
        {"bytes", [&](MappedData& m) { m.setBytes(L"V", L"n", &bytes); }, REG_BINARY, three,
         [&](MappedData& m) {
             Pooled<ArrayU08> got(m.getBytes(L"V", L"n"));
             return got->count() == 3 && got->get(2) == 3;
         }},
        {"no bytes", [&](MappedData& m) { m.setBytes(L"V", L"n", &empty); }, REG_BINARY, {},
         [](MappedData& m) { return m.hasValue(L"V", L"n"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        row.set(store());
        auto [type, data] = raw(L"V", L"n");
        EXPECT_EQ(row.type, type);
        EXPECT_EQ(row.data, data);
        EXPECT_TRUE(row.readsBack(store()));
    }
}

TEST_F(MappedDataTest, ReadsGoByDataLengthOnly) {
    store().setS8(L"V", L"minus", -1);
    EXPECT_EQ(255, store().getU8(L"V", L"minus", 0));
    EXPECT_EQ(-1, store().getS32(L"V", L"minus", 0));
    EXPECT_EQ(0xFFFFFFFFu, store().getU32(L"V", L"minus", 0));
    EXPECT_EQ(77u, store().getU64(L"V", L"minus", 77)) << "a DWORD is no 64-bit value";
    store().setU64(L"V", L"wide", 5);
    EXPECT_EQ(77u, store().getU32(L"V", L"wide", 77)) << "8 bytes are no 32-bit value";
    EXPECT_TRUE(store().getBool(L"V", L"wide", true));
    store().setFloat(L"V", L"float", 1.5f);
    EXPECT_EQ(0x3FC00000u, store().getU32(L"V", L"float", 0)) << "4 bytes of any type";
    EXPECT_EQ(9.0, store().getDouble(L"V", L"float", 9.0));
    EXPECT_EQ(4, store().getS16(L"V", L"missing", 4));
    EXPECT_EQ(4, store().getS16(L"Missing", L"missing", 4));
}

TEST_F(MappedDataTest, StringsFollowTheirStoredType) {
    wchar_t windir[520];
    ASSERT_GT(ExpandEnvironmentStringsW(L"%WINDIR%", windir, 520), 0u);
    store().setExpandString(L"V", L"e", L"%WINDIR%");
    bool expandable = false;
    EXPECT_STREQ(L"%WINDIR%", store().getString(L"V", L"e", L"-", &expandable, false));
    EXPECT_TRUE(expandable);
    EXPECT_STREQ(windir, store().getString(L"V", L"e", L"-", &expandable, true));
    EXPECT_TRUE(expandable);

    ASSERT_TRUE(writeRaw(saved(L"V"), L"empty", REG_SZ, nullptr, 0));
    EXPECT_STREQ(L"", store().getString(L"V", L"empty", L"-", &expandable, false)) << "not the default";
    EXPECT_FALSE(expandable) << "cleared first";

    const wchar_t* fallback = L"default";
    EXPECT_EQ(fallback, store().getString(L"V", L"missing", fallback));
    store().setU32(L"V", L"number", 3);
    EXPECT_EQ(fallback, store().getString(L"V", L"number", fallback));
    EXPECT_EQ(fallback, store().getString(L"Nowhere", L"x", fallback));
    EXPECT_EQ(nullptr, store().getStringList(L"V", L"e"));
}

TEST_F(MappedDataTest, BytesGoIntoTheGivenOrANewArray) {
    ArrayU08 given;
    given.add(9);
    EXPECT_EQ(&given, store().getBytes(L"V", L"missing", &given));
    EXPECT_EQ(0u, given.count()) << "emptied when the value is missing";
    Pooled<ArrayU08> fresh(store().getBytes(L"V", L"missing"));
    ASSERT_NE(nullptr, fresh.get());
    EXPECT_EQ(0u, fresh->count());
}

TEST_F(MappedDataTest, SettersMakeEveryMissingSection) {
    store().setString(L"A\\B\\C", L"name", L"v");
    EXPECT_TRUE(exists(saved(L"A")));
    EXPECT_TRUE(exists(saved(L"A\\B\\C")));
    // Auto-save is off, and the registry has the value at once all the same.
    EXPECT_FALSE(store().getAutoSave());
    auto [type, data] = raw(L"A\\B\\C", L"name");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(utf16(L"v", 1), data);
    store().openPath(L"D\\E");
    EXPECT_TRUE(exists(saved(L"D\\E")));
}

TEST_F(MappedDataTest, TheSelectedSectionIsReusedIgnoringCase) {
    store().setU32(L"View", L"x", 1);
    ASSERT_TRUE(store().selectPath(L"View"));
    // Gone behind the store's back: only a reused open key still answers.
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, at(saved(L"View")).c_str()));
    EXPECT_TRUE(store().selectPath(L"view"));
    EXPECT_FALSE(store().selectPath(L"Other"));
    EXPECT_FALSE(store().selectPath(L"View")) << "selected afresh";
}

TEST_F(MappedDataTest, AFailedSelectionIsNotCached) {
    EXPECT_FALSE(store().selectPath(L"Missing"));
    EXPECT_FALSE(store().selectPath(L"Missing"));
    ASSERT_TRUE(makeKey(saved(L"Missing")));
    EXPECT_TRUE(store().selectPath(L"Missing"));
    EXPECT_TRUE(store().selectPath(L"")) << "the base key itself";
}

TEST_F(MappedDataTest, RemovePathDeletesOnlyASection) {
    store().setU32(L"", L"top", 1);
    store().setU32(L"Sec\\Deep", L"v", 2);
    store().setU32(L"Keep", L"v", 3);
    for (const wchar_t* refused : {L"", L"\\", L"\\\\"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(refused)));
        store().removePath(refused);
        EXPECT_TRUE(exists(saved(L"Sec\\Deep")));
        EXPECT_EQ(1u, store().getU32(L"", L"top", 0));
    }
    store().removePath(L"Sec");
    EXPECT_FALSE(exists(saved(L"Sec")));
    EXPECT_TRUE(exists(saved(L"Keep")));
    EXPECT_EQ(0u, store().getU32(L"Sec\\Deep", L"v", 0));
    store().setU32(L"Sec\\Deep", L"v", 4);
    EXPECT_EQ(4u, store().getU32(L"Sec\\Deep", L"v", 0));
}

TEST_F(MappedDataTest, DeleteValueAndHasValue) {
    store().setU32(L"V", L"x", 1);
    EXPECT_TRUE(store().hasValue(L"V", L"x"));
    store().deleteValue(L"V", L"x");
    EXPECT_FALSE(store().hasValue(L"V", L"x"));
    EXPECT_FALSE(store().hasValue(L"Nowhere", L"x"));
    s::str::strarray::StrArray list;
    list.addString(L"a");
    store().setStringList(L"V", L"list", &list);
    EXPECT_FALSE(store().hasValue(L"V", L"list")) << "lists are not stored";
}

TEST_F(MappedDataTest, ThreadsWriteEachIntoItsOwnSection) {
    constexpr int kThreads = 4;
    constexpr int kValues = 300;
    std::vector<std::thread> threads;
    std::atomic<int> misread{0};
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &misread] {
            std::wstring section = L"T" + std::to_wstring(t);
            for (int v = 0; v < kValues; ++v) {
                std::wstring name = L"v" + std::to_wstring(v);
                store().setU32(section.c_str(), name.c_str(), t * 1000 + v);
                if (store().getU32(section.c_str(), name.c_str(), 0) != static_cast<uint32_t>(t * 1000 + v)) ++misread;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(0, misread.load()) << "each thread reads back what it wrote";
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE(t);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, at(saved(L"T" + std::to_wstring(t))).c_str(), 0,
                                               KEY_READ, &key));
        DWORD count = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(static_cast<DWORD>(kValues), count) << "no value landed in another section";
        for (int v = 0; v < kValues; v += 37) {
            auto [type, data] = raw(L"T" + std::to_wstring(t), (L"v" + std::to_wstring(v)).c_str());
            uint32_t expected = t * 1000 + v;
            EXPECT_EQ(bytesOf(&expected, 4), data);
        }
    }
}

// A text read by one thread stays what it read while the other threads read theirs.
TEST_F(MappedDataTest, ATextStaysValidForItsReaderWhileOtherThreadsRead) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 300;
    for (int t = 0; t < kThreads; ++t) {
        std::wstring section = L"S" + std::to_wstring(t);
        store().setString(section.c_str(), L"text", (L"the text of thread " + std::to_wstring(t)).c_str());
    }
    std::vector<std::thread> threads;
    std::atomic<int> changed{0};
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t, &changed] {
            const std::wstring section = L"S" + std::to_wstring(t);
            const std::wstring expected = L"the text of thread " + std::to_wstring(t);
            for (int round = 0; round < kRounds; ++round) {
                const wchar_t* text = store().getString(section.c_str(), L"text", L"", nullptr, false);
                store().getU32(section.c_str(), L"missing", 0);  // other work of the same thread
                Sleep(0);
                if (expected != text) ++changed;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(0, changed.load());
}

TEST_F(MappedDataTest, ProductStoreLiesUnderTheMakersKey) {
    const std::wstring prefix = L"Software\\Ostrel\\";
    ASSERT_EQ(0u, base().find(prefix));
    const std::wstring registryName = base().substr(prefix.size());
    MappedData* product = s::reg::openProductRegistryData(registryName.c_str());
    ASSERT_NE(nullptr, product);
    product->setU32(L"MainWindow\\View", L"KeepOnTop", 1);
    product->releaseToPool();
    EXPECT_TRUE(exists(L"SaveData\\MainWindow\\View"));
    for (const wchar_t* bad : {static_cast<const wchar_t*>(nullptr), L"", L"a\\b"}) {
        EXPECT_EQ(nullptr, s::reg::openProductRegistryData(bad));
    }
}

TEST_F(MappedDataTest, AttachedKeyAndPoolReset) {
    EXPECT_STREQ(L"s_reg_MappedData", store().classId());
    auto* other = new s::reg::win::RegDir();
    other->openAt(HKEY_CURRENT_USER, at(L"Other").c_str());
    store().attachKey(other);
    EXPECT_EQ(other, store().baseKey());
    store().setU32(L"S", L"v", 6);
    EXPECT_TRUE(exists(L"Other\\S"));
    store().setAutoSave(true);
    EXPECT_TRUE(store().getAutoSave());
    store().resetForReuse();
    EXPECT_FALSE(store().getAutoSave());
    EXPECT_EQ(nullptr, store().baseKey());
    EXPECT_FALSE(store().selectPath(L"S"));
    store().setU32(L"S", L"v", 7);  // no base key: nothing is written, nothing breaks
}

}  // namespace
