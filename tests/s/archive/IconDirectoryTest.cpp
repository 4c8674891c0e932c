// tests/s/archive/IconDirectoryTest.cpp
//
// The rules of icon directories by table: the choice of the best image (a stored 0 is 256),
// the header checks and the bounds of an image's data.
#include "s/archive/IconDirectory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using s::archive::IconFileEntry;

IconFileEntry entry(uint32_t side, uint16_t bits) {
    IconFileEntry e = {};
    e.width = static_cast<uint8_t>(side & 0xFF);
    e.height = static_cast<uint8_t>(side & 0xFF);
    e.planes = 1;
    e.bitCount = bits;
    return e;
}

struct ChoiceRow {
    const char* why;
    std::vector<IconFileEntry> entries;
    uint32_t width, height;
    uint32_t expected;
};

TEST(IconDirectory, FindBestEntry) {
    const std::vector<IconFileEntry> set = {entry(16, 32), entry(32, 24), entry(32, 8), entry(256, 32)};
    const ChoiceRow rows[] = {
        {"exact size at 32 bits wins at once", set, 16, 16, 0},
        {"no 32-bit 32: equal areas, the depth nearer 32", set, 32, 32, 1},
        {"48: the nearest area, and of two equal ones the depth nearer 32", set, 48, 48, 1},
        {"a stored 0 is 256, exact at 32 bits", set, 256, 256, 3},
        {"a stored 0 is 256 in the area too", set, 200, 200, 3},
        {"a 24-bit and an 8-bit of one area: the 24-bit, whatever the order",
         {entry(48, 8), entry(48, 24)}, 40, 40, 1},
        {"a full tie: the earlier", {entry(32, 24), entry(32, 24)}, 32, 32, 0},
        {"the first exact one even when a later one is exact", {entry(16, 8), entry(16, 32), entry(16, 32)}, 16, 16, 1},
        {"exact size below 32 bits is only the nearest area", {entry(16, 8), entry(24, 32)}, 16, 16, 0},
        {"a wide request by its area", {entry(16, 32), entry(32, 32)}, 64, 16, 1},
    };
    for (const ChoiceRow& row : rows) {
        SCOPED_TRACE(row.why);
        uint32_t index = 99;
        ASSERT_TRUE(s::archive::findBestIconEntry(row.entries.data(), static_cast<uint32_t>(row.entries.size()),
                                                  row.width, row.height, &index));
        EXPECT_EQ(row.expected, index);
    }
    uint32_t index = 99;
    EXPECT_FALSE(s::archive::findBestIconEntry(nullptr, 0, 16, 16, &index));
    EXPECT_EQ(99u, index);
}

struct HeaderRow {
    const char* why;
    std::vector<uint8_t> bytes;
    uint64_t size;
    uint16_t type;
    bool accepted;
};

TEST(IconDirectory, HeaderIsCheckedAgainstTheData) {
    const HeaderRow rows[] = {
        {"one icon entry that fits", {0, 0, 1, 0, 1, 0}, 22, 1, true},
        {"the count beyond the data", {0, 0, 1, 0, 2, 0}, 22 + 15, 1, false},
        {"65535 entries in a small file", {0, 0, 1, 0, 0xFF, 0xFF}, 4096, 1, false},
        {"reserved not 0", {1, 0, 1, 0, 1, 0}, 22, 1, false},
        {"a cursor directory read as icons", {0, 0, 2, 0, 1, 0}, 22, 1, false},
        {"a cursor directory as cursors", {0, 0, 2, 0, 1, 0}, 22, 2, true},
        {"shorter than a header", {0, 0, 1, 0, 0, 0}, 5, 1, false},
        {"no entries", {0, 0, 1, 0, 0, 0}, 6, 1, true},
    };
    for (const HeaderRow& row : rows) {
        SCOPED_TRACE(row.why);
        uint16_t count = 777;
        EXPECT_EQ(row.accepted, s::archive::readDirectoryHeader(row.bytes.data(), row.size, row.type,
                                                                s::archive::kFileEntryBytes, &count));
        if (!row.accepted) {
            EXPECT_EQ(777, count);
        }
    }
    uint16_t count = 0;
    const uint8_t group[] = {0, 0, 1, 0, 2, 0};
    EXPECT_TRUE(s::archive::readDirectoryHeader(group, 6 + 28, 1, s::archive::kGroupEntryBytes, &count));
    EXPECT_FALSE(s::archive::readDirectoryHeader(group, 6 + 27, 1, s::archive::kGroupEntryBytes, &count));
}

TEST(IconDirectory, DataMustLieInsideTheFile) {
    const struct {
        const char* why;
        uint32_t offset, size;
        uint64_t file;
        bool fits;
    } rows[] = {
        {"to the last byte", 22, 100, 122, true},
        {"one byte past the end", 22, 101, 122, false},
        {"an offset past the end", 500, 0, 122, false},
        {"a size that wraps 32 bits", 22, 0xFFFFFFF0u, 122, false},
        {"larger than any image", 22, s::archive::kMaxImageBytes + 1, 0xFFFFFFFFull, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        IconFileEntry e = entry(16, 32);
        e.dataOffset = row.offset;
        e.dataSize = row.size;
        EXPECT_EQ(row.fits, s::archive::dataFits(e, row.file));
    }
}

TEST(IconDirectory, EntriesReadAndWriteTheirSixteenBytes) {
    const uint8_t raw[16] = {0, 48, 16, 0, 1, 0, 32, 0, 0x10, 0x20, 0, 0, 0x16, 0, 0, 0};
    const IconFileEntry e = s::archive::readFileEntry(raw);
    EXPECT_EQ(256u, s::archive::iconSide(e.width));
    EXPECT_EQ(48u, s::archive::iconSide(e.height));
    EXPECT_EQ(16, e.colours);
    EXPECT_EQ(32, e.bitCount);
    EXPECT_EQ(0x2010u, e.dataSize);
    EXPECT_EQ(22u, e.dataOffset);
    uint8_t back[16] = {};
    s::archive::writeFileEntry(e, back);
    EXPECT_EQ(0, memcmp(raw, back, 16));
}

}  // namespace
