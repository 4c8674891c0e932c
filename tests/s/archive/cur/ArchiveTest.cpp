// tests/s/archive/cur/ArchiveTest.cpp
//
// The fixture module's cursor group (from dll/win/fixture/pointer.cur, hot spot 5, 7): its
// image with the hot spot, the group written back as the file it was made from, and .cur
// files whose stored height is 0.
#include "s/archive/cur/Archive.h"

#include <gtest/gtest.h>

#include <string>

#include "s/archive/IconDirectoryEntry.h"
#include "s/archive/dll/TypeCodes.h"
#include "s/image/ico/win/IconImage.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

using s::archive::cur::Archive;
using s::col::_array::ArrayU08;
using tests::archive::OpenArchive;

// pointer.cur as it was written, which this test program carries.
std::string cursorFile() {
    OpenArchive program(tests::archive::ownProgram());
    return tests::archive::entryBytes(program.get(), s::archive::dll::kRcData, 2001);
}

TEST(CursorArchive, TheGroupOfAModuleWithItsHotSpot) {
    OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    tests::Pooled<Archive> cursors(s::archive::cur::newCursorArchive(fixture.get(), 600));
    ASSERT_NE(nullptr, cursors.get());
    ASSERT_EQ(1u, cursors->entryCount());
    const s::archive::IconDirectoryEntry* entry = cursors->imageEntry(0);
    EXPECT_EQ(32u, entry->width());
    EXPECT_EQ(32u, entry->height());
    EXPECT_EQ(5, entry->fileEntry().planes);
    EXPECT_EQ(7, entry->fileEntry().bitCount);
    tests::Pooled<s::image::ico::win::IconImage> image(cursors->imageAt(0));
    ASSERT_NE(nullptr, image.get());
    EXPECT_EQ(32, image->getWidth());
    EXPECT_EQ(nullptr, s::archive::cur::newCursorArchive(fixture.get(), 601));
}

TEST(CursorArchive, TheGroupWrittenAsAFileIsTheFileItWasMadeFrom) {
    const std::string original = cursorFile();
    ASSERT_GT(original.size(), 22u);
    OpenArchive fixture(tests::archive::fixtureModule());
    uint32_t group = 0;
    ASSERT_TRUE(fixture->findTypeIdNameId(s::archive::dll::kGroupCursor, 600, &group));
    tests::Pooled<ArrayU08> written;
    ASSERT_TRUE(fixture->groupCursorAsCur(group, written.get()));
    EXPECT_TRUE(original == tests::archive::bytesOf(written.get()));
    EXPECT_FALSE(fixture->groupIconAsIco(group, written.get()));
}

TEST(CursorArchive, AStoredHeightOf0ReadsAsTheWidth) {
    std::string bytes = cursorFile();
    ASSERT_GT(bytes.size(), 22u);
    bytes[7] = 0;
    tests::Pooled<ArrayU08> in;
    in->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    tests::Pooled<Archive> cursors;
    ASSERT_TRUE(cursors->openStream(in.get(), false, 0, bytes.size()));
    ASSERT_EQ(1u, cursors->entryCount());
    EXPECT_EQ(32u, cursors->imageEntry(0)->height());
    EXPECT_EQ(32, cursors->imageEntry(0)->fileEntry().height);
    // An icon directory is no cursor directory.
    bytes[2] = 1;
    tests::Pooled<ArrayU08> icon;
    icon->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    EXPECT_FALSE(cursors->openStream(icon.get(), false, 0, bytes.size()));
}

}  // namespace
