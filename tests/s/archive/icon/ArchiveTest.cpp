// tests/s/archive/icon/ArchiveTest.cpp
//
// The program's icon group (carried by this test program): the icon choice table, the
// images decoded, the group written as a file equal to the one drawn, one-image files, and
// damaged .ico files that open as nothing.
#include "s/archive/icon/Archive.h"

#include <gtest/gtest.h>

#include <string>

#include "s/archive/IconDirectoryEntry.h"
#include "s/archive/dll/TypeCodes.h"
#include "s/image/ico/win/IconImage.h"
#include "support/Sandbox.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

using s::archive::icon::Archive;
using s::col::_array::ArrayU08;
using tests::archive::OpenArchive;

// The icon file as it was drawn (resources/app.ico), which this test program carries.
std::string drawnIconFile(s::archive::dll::win::Archive* program) {
    return tests::archive::entryBytes(program, s::archive::dll::kRcData, 2000);
}

ArrayU08* arrayOf(const std::string& bytes) {
    ArrayU08* array = s::thread::Pool<ArrayU08>::obtain();
    array->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    array->seekStart();
    return array;
}

TEST(IconArchive, TheIconChoiceTableOnTheProgramsIcon) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    tests::Pooled<Archive> icons(s::archive::icon::newIconArchive(program.get(), 128));
    ASSERT_NE(nullptr, icons.get());
    // 256 (PNG), 48, 32, 24 and 16 at 32 bits; 48, 32 and 16 at 8 bits for XP.
    ASSERT_EQ(8u, icons->entryCount());
    const struct {
        uint32_t request;
        uint32_t side;
        uint16_t bits;
    } rows[] = {{16, 16, 32}, {32, 32, 32}, {48, 48, 32}, {256, 256, 32}, {24, 24, 32}, {64, 48, 32}, {200, 256, 32}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "request " << row.request);
        uint32_t index = 0;
        ASSERT_TRUE(icons->findBestEntry(row.request, row.request, &index));
        const s::archive::IconDirectoryEntry* entry = icons->imageEntry(index);
        EXPECT_EQ(row.side, entry->width());
        EXPECT_EQ(row.side, entry->height());
        EXPECT_EQ(row.bits, entry->fileEntry().bitCount);
        tests::Pooled<s::image::ico::win::IconImage> image(icons->imageAt(index));
        ASSERT_NE(nullptr, image.get());
        EXPECT_EQ(static_cast<int32_t>(row.side), image->getWidth());
        EXPECT_EQ(static_cast<int32_t>(row.side), image->getHeight());
    }
    // Every image decodes, the 8-bit ones too.
    for (uint32_t k = 0; k < icons->entryCount(); ++k) {
        tests::Pooled<s::image::ico::win::IconImage> image(icons->imageAt(k));
        EXPECT_NE(nullptr, image.get()) << k;
    }
    EXPECT_EQ(nullptr, icons->imageAt(icons->entryCount()));
    EXPECT_EQ(nullptr, s::archive::icon::newIconArchive(program.get(), 129));
}

TEST(IconArchive, TheGroupWrittenAsAFileIsTheFileThatWasDrawn) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    uint32_t group = 0;
    ASSERT_TRUE(program->findTypeIdNameId(s::archive::dll::kGroupIcon, 128, &group));
    tests::Pooled<ArrayU08> written;
    ASSERT_TRUE(program->groupIconAsIco(group, written.get()));
    const std::string drawn = drawnIconFile(program.get());
    ASSERT_GT(drawn.size(), 1000u);
    EXPECT_TRUE(drawn == tests::archive::bytesOf(written.get()));
    uint32_t notGroup = 0;
    ASSERT_TRUE(program->findTypeIdNameId(s::archive::dll::kIcon, 1, &notGroup));
    EXPECT_FALSE(program->groupIconAsIco(notGroup, written.get()));
}

TEST(IconArchive, OneImageFileHasItsImageAtOffset22) {
    OpenArchive program(tests::archive::ownProgram());
    tests::Pooled<Archive> icons(s::archive::icon::newIconArchive(program.get(), 128));
    ASSERT_NE(nullptr, icons.get());
    for (uint32_t k = 0; k < icons->entryCount(); ++k) {
        SCOPED_TRACE(k);
        tests::Pooled<ArrayU08> file;
        ASSERT_TRUE(icons->readEntry(icons->entryAt(k), file.get()));
        const std::string bytes = tests::archive::bytesOf(file.get());
        const std::string image = tests::archive::bytesOf(icons->imageEntry(k)->data());
        ASSERT_EQ(22 + image.size(), bytes.size());
        EXPECT_EQ(std::string("\0\0\1\0\1\0", 6), bytes.substr(0, 6));
        EXPECT_EQ(std::string("\x16\0\0\0", 4), bytes.substr(18, 4));
        EXPECT_TRUE(image == bytes.substr(22));
        tests::Pooled<ArrayU08> copy(icons->imageEntry(k)->copyData());
        EXPECT_TRUE(image == tests::archive::bytesOf(copy.get()));
    }
}

TEST(IconArchive, AnIcoFileOpensFromDiskWithItsImagesReadLazily) {
    OpenArchive program(tests::archive::ownProgram());
    const std::string drawn = drawnIconFile(program.get());
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.writeFile(L"app.ico", drawn));
    tests::Pooled<s::file::win::PathWin> path(s::file::win::pathFromString(box.at(L"app.ico").c_str()));
    tests::Pooled<Archive> icons;
    ASSERT_TRUE(icons->open(path.get()));
    ASSERT_EQ(8u, icons->entryCount());
    EXPECT_EQ(drawn.size(), icons->totalSize());
    EXPECT_FALSE(icons->imageEntry(0)->isLoaded());
    uint32_t index = 0;
    ASSERT_TRUE(icons->findBestEntry(256, 256, &index));
    EXPECT_EQ(256u, icons->imageEntry(index)->width());
    tests::Pooled<s::image::ico::win::IconImage> image(icons->imageAt(index));
    ASSERT_NE(nullptr, image.get());
    EXPECT_EQ(256, image->getWidth());
    EXPECT_TRUE(icons->imageEntry(index)->isLoaded());
    EXPECT_EQ(6u + 16u * index, icons->imageEntry(index)->streamPosition());
    tests::Pooled<ArrayU08> whole;
    ASSERT_TRUE(icons->writeAsFile(whole.get()));
    EXPECT_TRUE(drawn == tests::archive::bytesOf(whole.get()));
    icons->close();
    EXPECT_EQ(0u, icons->entryCount());
    // The file can go once the archive is closed.
    EXPECT_TRUE(DeleteFileW(box.at(L"app.ico").c_str()));
}

void put32(std::string* bytes, size_t at, uint32_t value) {
    for (int k = 0; k < 4; ++k) (*bytes)[at + k] = static_cast<char>(value >> (8 * k));
}

TEST(IconArchive, DamagedIcoFilesOpenAsNothing) {
    OpenArchive program(tests::archive::ownProgram());
    const std::string good = drawnIconFile(program.get());
    ASSERT_GT(good.size(), 6u + 16u * 8u);
    struct Damage {
        const char* why;
        void (*apply)(std::string* bytes);
    };
    const Damage rows[] = {
        {"the count beyond the file", [](std::string* b) { (*b)[4] = static_cast<char>(0xFF); }},
        {"an entry's data past the end", [](std::string* b) { put32(b, 6 + 16 * 3 + 12, static_cast<uint32_t>(b->size())); }},
        {"an entry's size past the end", [](std::string* b) { put32(b, 6 + 16 * 2 + 8, static_cast<uint32_t>(b->size())); }},
        {"an entry's size that wraps", [](std::string* b) { put32(b, 6 + 16 * 1 + 8, 0xFFFFFFF0u); }},
        {"an offset inside the header", [](std::string* b) { put32(b, 6 + 12, 2); }},
        {"reserved not 0", [](std::string* b) { (*b)[0] = 1; }},
        {"a cursor directory", [](std::string* b) { (*b)[2] = 2; }},
        {"cut inside the directory", [](std::string* b) { b->resize(6 + 16 * 4); }},
        {"cut inside the header", [](std::string* b) { b->resize(5); }},
        {"nothing", [](std::string* b) { b->clear(); }},
    };
    for (const Damage& row : rows) {
        SCOPED_TRACE(row.why);
        std::string bytes = good;
        row.apply(&bytes);
        tests::Pooled<ArrayU08> in(arrayOf(bytes));
        tests::Pooled<Archive> icons;
        EXPECT_FALSE(icons->openStream(in.get(), false, 0, bytes.size()));
        EXPECT_EQ(0u, icons->entryCount());
        uint32_t index = 0;
        EXPECT_FALSE(icons->findBestEntry(16, 16, &index));
    }
    // An image whose bytes are no image opens but does not decode.
    std::string garbage = good;
    const uint32_t first = static_cast<uint8_t>(good[18]) | static_cast<uint8_t>(good[19]) << 8;
    for (size_t k = first; k < first + 64; ++k) garbage[k] = static_cast<char>(0xA5);
    tests::Pooled<ArrayU08> in(arrayOf(garbage));
    tests::Pooled<Archive> icons;
    ASSERT_TRUE(icons->openStream(in.get(), false, 0, garbage.size()));
    EXPECT_EQ(nullptr, icons->imageAt(0));
    tests::Pooled<s::image::ico::win::IconImage> other(icons->imageAt(1));
    EXPECT_NE(nullptr, other.get());
}

TEST(IconArchive, ADirectoryAtAnOffsetInsideALargerStream) {
    OpenArchive program(tests::archive::ownProgram());
    const std::string good = drawnIconFile(program.get());
    const std::string padded = std::string(100, 'x') + good;
    tests::Pooled<ArrayU08> in(arrayOf(padded));
    tests::Pooled<Archive> icons;
    ASSERT_TRUE(icons->openStream(in.get(), false, 100, padded.size()));
    ASSERT_EQ(8u, icons->entryCount());
    EXPECT_EQ(106u, icons->imageEntry(0)->streamPosition());
    tests::Pooled<ArrayU08> whole;
    ASSERT_TRUE(icons->writeAsFile(whole.get()));
    EXPECT_TRUE(good == tests::archive::bytesOf(whole.get()));
}

}  // namespace
