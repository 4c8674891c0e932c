// tests/s/archive/dll/ResourceTextTest.cpp
//
// Damaged and hostile templates fail cleanly: every cut of the fixture module's templates,
// placed against a page that may not be read, and crafted counts, lengths and depths.
#include "s/archive/dll/ResourceText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/archive/dll/TypeCodes.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

using namespace s::archive::dll;
using Renderer = bool (*)(const uint8_t* bytes, uint32_t size, Text* text);

// Bytes that end where a no-access page begins: a read past them faults.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_page = info.dwPageSize;
        if (bytes.size() > m_page) return;
        m_block = static_cast<uint8_t*>(VirtualAlloc(nullptr, 2 * m_page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        if (!m_block || !VirtualProtect(m_block + m_page, m_page, PAGE_NOACCESS, &old)) return;
        m_bytes = m_block + m_page - bytes.size();
        memcpy(m_bytes, bytes.data(), bytes.size());
    }
    ~GuardedBytes() {
        if (m_block) VirtualFree(m_block, 0, MEM_RELEASE);
    }
    const uint8_t* data() const { return m_bytes; }

private:
    uint8_t* m_block = nullptr;
    uint8_t* m_bytes = nullptr;
    DWORD m_page = 0;
};

std::wstring render(Renderer renderer, const std::string& bytes, bool* ok) {
    GuardedBytes guarded(bytes);
    EXPECT_NE(nullptr, guarded.data());
    tests::Pooled<s::str::strbuffer::StrBuffer> text;
    *ok = guarded.data() && renderer(guarded.data(), static_cast<uint32_t>(bytes.size()), text.get());
    return tests::text(text.get());
}

struct FixtureRow {
    const char* why;
    uint32_t typeCode;
    uint16_t id;
    Renderer renderer;
};

TEST(ResourceText, EveryCutOfATemplateFailsOrIsOnlyPaddingCut) {
    const FixtureRow rows[] = {
        {"menu", kMenu, 200, &menuAsText},
        {"accelerators", kAccelerator, 300, &acceleratorsAsText},
        {"dialog", kDialog, 400, &dialogAsText},
        {"extended dialog", kDialog, 401, &dialogAsText},
        {"string table", kString, 2, &stringTableAsText},
        {"version record", kVersion, 1, &versionAsText},
    };
    tests::archive::OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    for (const FixtureRow& row : rows) {
        SCOPED_TRACE(row.why);
        const std::string whole = tests::archive::entryBytes(fixture.get(), row.typeCode, row.id);
        ASSERT_FALSE(whole.empty());
        bool ok = false;
        const std::wstring full = render(row.renderer, whole, &ok);
        ASSERT_TRUE(ok);
        for (size_t cut = 0; cut < whole.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << "cut at " << cut << " of " << whole.size());
            const std::wstring partial = render(row.renderer, whole.substr(0, cut), &ok);
            // A template cut inside its structure fails; a cut in trailing padding reads all.
            if (ok) {
                EXPECT_EQ(full, partial);
            }
        }
    }
}

std::string words(std::initializer_list<uint16_t> values) {
    std::string bytes;
    for (uint16_t v : values) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    }
    return bytes;
}

std::string nestedPopups(int depth) {
    std::string bytes = words({0, 0});
    for (int k = 0; k < depth; ++k) bytes += words({0x10, 'P', 0});
    bytes += words({0x80, 1, 'x', 0});
    return bytes;
}

struct CraftedRow {
    const char* why;
    Renderer renderer;
    std::string bytes;
};

TEST(ResourceText, HostileCountsLengthsAndDepthsFail) {
    const CraftedRow rows[] = {
        {"a dialog claiming 65535 controls",
         &dialogAsText, words({0x0000, 0x8000, 0, 0, 0xFFFF, 0, 0, 10, 10, 0, 0, 0, 0})},
        {"an extended dialog claiming 65535 controls", &dialogAsText,
         words({1, 0xFFFF, 0, 0, 0, 0, 0, 0x8000, 0xFFFF, 0, 0, 10, 10, 0, 0, 0, 0})},
        {"a dialog font without its name's end", &dialogAsText,
         words({0x0040, 0x8000, 0, 0, 0, 0, 0, 10, 10, 0, 0, 0, 0, 8, 'A', 'B'})},
        {"a string longer than the block", &stringTableAsText, words({0xFFFF, 'a'})},
        {"a block of fewer than 16 slots", &stringTableAsText, words({1, 'a', 0, 0})},
        {"a menu with a header", &menuAsText, words({1, 4, 0, 0, 0x80, 1, 'x', 0})},
        {"a menu that never ends", &menuAsText, words({0, 0, 0, 1, 'x', 0, 0, 2, 'y', 0})},
        {"a menu nested deeper than any program's", &menuAsText, nestedPopups(40)},
        {"a version record longer than its resource", &versionAsText, words({0xFFFF, 0, 0, 'V', 0})},
        {"a version record shorter than its header", &versionAsText, words({4, 0, 0, 0})},
        {"a version child of length 0", &versionAsText, words({20, 0, 0, 'V', 0, 0, 0, 0, 0, 0})},
        {"a version value past its node", &versionAsText, words({12, 0xFF, 1, 'V', 0, 0})},
        {"accelerators of a broken size", &acceleratorsAsText, words({0x80, 'A', 1})},
        {"no accelerators", &acceleratorsAsText, ""},
        {"accelerators without their last entry", &acceleratorsAsText, words({1, 'A', 1, 0})},
    };
    for (const CraftedRow& row : rows) {
        SCOPED_TRACE(row.why);
        bool ok = true;
        render(row.renderer, row.bytes, &ok);
        EXPECT_FALSE(ok);
    }
}

TEST(ResourceText, VirtualKeyNames) {
    const struct {
        uint32_t code;
        const wchar_t* name;
    } rows[] = {
        {0x01, L"Left mouse button"}, {0x08, L"BACKSPACE key"}, {0x30, L"0 key"},   {0x5A, L"Z key"},
        {0x60, L"Numeric keypad 0 key"}, {0x70, L"F1 key"},     {0x87, L"F24 key"}, {0xA6, L"Browser Back key"},
        {0x07, L"Unknown key"},       {0xFF, L"Unknown key"},  {0x88, L"Unknown key"},
    };
    for (const auto& row : rows) {
        tests::Pooled<s::str::strbuffer::StrBuffer> text;
        appendVirtualKeyName(row.code, text.get());
        EXPECT_EQ(std::wstring(row.name), tests::text(text.get())) << row.code;
    }
}

TEST(TypeCodes, StandardIdsAndCodesMapBothWays) {
    const struct {
        uint32_t id, code;
        const wchar_t* name;
    } rows[] = {
        {9, kAccelerator, L"ACCELERATOR"}, {21, kAniCursor, L"ANICURSOR"}, {2, kBitmap, L"BITMAP"},
        {1, kCursor, L"CURSOR"},           {12, kGroupCursor, L"GROUP_CURSOR"}, {14, kGroupIcon, L"GROUP_ICON"},
        {3, kIcon, L"ICON"},               {24, kManifest, L"MANIFEST"},  {6, kString, L"STRING"},
        {16, kVersion, L"VERSION"},        {20, kVxd, L"VXD"},            {23, kHtml, L"HTML"},
    };
    for (const auto& row : rows) {
        uint32_t code = 999;
        ASSERT_TRUE(typeCodeOfStandardId(row.id, &code)) << row.id;
        EXPECT_EQ(row.code, code);
        EXPECT_EQ(row.id, standardIdOfTypeCode(row.code));
        EXPECT_STREQ(row.name, typeCodeName(row.code));
    }
    uint32_t code = 999;
    for (uint32_t unknown : {0u, 13u, 15u, 18u, 25u, 300u}) EXPECT_FALSE(typeCodeOfStandardId(unknown, &code));
    EXPECT_EQ(999u, code);
    EXPECT_EQ(nullptr, typeCodeName(kTypeCodeCount));
}

}  // namespace
