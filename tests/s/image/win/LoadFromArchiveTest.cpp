// tests/s/image/win/LoadFromArchiveTest.cpp
//
// Pictures decoded from resources: the program's two skin pictures (carried by this test
// program) through the JPEG codec, with pixels as ImageMagick 6.9.11 decodes them, and a
// GIF of the archive fixture module; missing entries leave the codec as it was.
#include "s/image/win/LoadFromArchive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "s/archive/dll/win/Archive.h"
#include "s/file/win/PathWin.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"

namespace {

using s::archive::dll::win::Archive;

std::wstring besideProgram(const wchar_t* name, bool self) {
    wchar_t path[MAX_PATH];
    std::wstring file(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    if (self) return file;
    return file.substr(0, file.find_last_of(L'\\') + 1) + name;
}

Archive* openArchive(const std::wstring& file) {
    tests::Pooled<s::file::win::PathWin> path(s::file::win::pathFromString(file.c_str()));
    return s::archive::dll::win::newDllArchive(path.get());
}

// Red, green and blue of a pixel of a 32-bit image (A << 24 | R << 16 | G << 8 | B).
void expectPixel(const s::image::win::BufferedImage* image, int x, int y, int red, int green, int blue,
                 int tolerance) {
    const uint32_t p = image->getRow(y)[x];
    SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
    EXPECT_LE(std::abs(static_cast<int>((p >> 16) & 0xFF) - red), tolerance);
    EXPECT_LE(std::abs(static_cast<int>((p >> 8) & 0xFF) - green), tolerance);
    EXPECT_LE(std::abs(static_cast<int>(p & 0xFF) - blue), tolerance);
}

TEST(LoadFromArchive, TheSkinPicturesOfTheProgram) {
    tests::Pooled<Archive> program(openArchive(besideProgram(nullptr, true)));
    ASSERT_NE(nullptr, program.get());
    const struct {
        uint16_t id;
        int ledRed, ledGreen, ledBlue;  // the lamp of the shredder: off, then on
    } rows[] = {{131, 197, 56, 39}, {132, 40, 208, 113}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        tests::Pooled<s::image::jpg::win::Jpeg> jpeg(
            s::image::jpg::win::newJpegFromArchive(program.get(), L"IDR_JPG", MAKEINTRESOURCEW(row.id)));
        ASSERT_NE(nullptr, jpeg.get());
        ASSERT_EQ(256, jpeg->getWidth());
        ASSERT_EQ(256, jpeg->getHeight());
        tests::Pooled<s::image::win::BufferedImage> image(jpeg->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, image.get());
        expectPixel(image.get(), 0, 0, 221, 230, 239, 3);
        expectPixel(image.get(), 214, 158, row.ledRed, row.ledGreen, row.ledBlue, 3);
        expectPixel(image.get(), 128, 150, 52, 73, 94, 3);
    }
}

TEST(LoadFromArchive, AMissingEntryLeavesTheCodecAsItWas) {
    tests::Pooled<Archive> program(openArchive(besideProgram(nullptr, true)));
    ASSERT_NE(nullptr, program.get());
    EXPECT_EQ(nullptr, s::image::jpg::win::newJpegFromArchive(program.get(), L"IDR_JPG", MAKEINTRESOURCEW(133)));
    EXPECT_EQ(nullptr, s::image::jpg::win::newJpegFromArchive(program.get(), L"idr_jpg", MAKEINTRESOURCEW(131)));
    EXPECT_EQ(nullptr, s::image::jpg::win::newJpegFromArchive(nullptr, L"IDR_JPG", MAKEINTRESOURCEW(131)));
    tests::Pooled<s::image::jpg::win::Jpeg> jpeg(
        s::image::jpg::win::newJpegFromArchive(program.get(), L"IDR_JPG", MAKEINTRESOURCEW(131)));
    ASSERT_NE(nullptr, jpeg.get());
    EXPECT_FALSE(s::image::win::loadFromArchive(jpeg.get(), program.get(), L"IDR_JPG", MAKEINTRESOURCEW(999)));
    EXPECT_EQ(256, jpeg->getWidth());
    // The language pack is found but is no JPEG: the codec says so.
    EXPECT_FALSE(s::image::win::loadFromArchive(jpeg.get(), program.get(), L"IDR_XML", MAKEINTRESOURCEW(130)));
}

TEST(LoadFromArchive, AGifOfAModuleByTextTypeAndNumbers) {
    tests::Pooled<Archive> fixture(openArchive(besideProgram(L"archive_fixture.dll", false)));
    ASSERT_NE(nullptr, fixture.get());
    tests::Pooled<s::image::gif::win::Gif> gif(
        s::image::gif::win::newGifFromArchive(fixture.get(), L"IDR_GIF", MAKEINTRESOURCEW(1000)));
    ASSERT_NE(nullptr, gif.get());
    ASSERT_EQ(3, gif->getWidth());
    ASSERT_EQ(2, gif->getHeight());
    tests::Pooled<s::image::win::BufferedImage> image(gif->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    // make_fixture.py: red, green, blue over white, black, white.
    expectPixel(image.get(), 0, 0, 255, 0, 0, 0);
    expectPixel(image.get(), 1, 0, 0, 255, 0, 0);
    expectPixel(image.get(), 2, 0, 0, 0, 255, 0);
    expectPixel(image.get(), 0, 1, 255, 255, 255, 0);
    expectPixel(image.get(), 1, 1, 0, 0, 0, 0);
    // Numeric types and text names are found the same way; their bytes are no GIF.
    for (const auto& [type, name] : {std::pair<const wchar_t*, const wchar_t*>{RT_RCDATA, L"NAMED"},
                                     {RT_RCDATA, MAKEINTRESOURCEW(800)},
                                     {MAKEINTRESOURCEW(300), MAKEINTRESOURCEW(802)}}) {
        s::col::_array::ArrayU08* bytes = s::image::win::extractArchiveEntry(fixture.get(), type, name);
        ASSERT_NE(nullptr, bytes);
        EXPECT_GT(bytes->count(), 0u);
        bytes->releaseToPool();
        EXPECT_EQ(nullptr, s::image::gif::win::newGifFromArchive(fixture.get(), type, name));
    }
    // 13 is no standard type, and as a number it would be taken for a type code.
    EXPECT_EQ(nullptr, s::image::win::extractArchiveEntry(fixture.get(), MAKEINTRESOURCEW(13), MAKEINTRESOURCEW(1)));
}

}  // namespace
