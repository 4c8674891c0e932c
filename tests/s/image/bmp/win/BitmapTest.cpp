// tests/s/image/bmp/win/BitmapTest.cpp
//
// The BMP codec against files ImageMagick wrote (GoldenBmps.h, each with the pixels ImageMagick
// reads from it), the writer's header and round trips, a table of damaged files that must fail
// cleanly, and the conversions to and from the image buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/bmp/win/GoldenBmps.h"
#include "s/image/win/BufferedImage.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayU08;
using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;
using tests::Pooled;
using tests::image::distinctPixels;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

using Bytes = std::vector<uint8_t>;

Bytes fileOf(const char* name) {
    for (const auto& g : tests::image::kGoldenBmps) {
        if (std::string(g.name) == name) return Bytes(g.bytes, g.bytes + g.size);
    }
    ADD_FAILURE() << "no golden file " << name;
    return Bytes();
}

bool decodeBytes(Bitmap* bitmap, const Bytes& bytes, bool dib = false) {
    Pooled<ArrayU08> in;
    if (!bytes.empty()) in->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    in->seekStart();
    return dib ? bitmap->decodeDib(in.get()) : bitmap->decode(in.get());
}

Bytes encodeBytes(const Bitmap* bitmap) {
    Pooled<ArrayU08> out;
    EXPECT_TRUE(bitmap->encode(out.get()));
    return Bytes(out->data(), out->data() + out->count());
}

void put32(Bytes* b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) (*b)[at + k] = static_cast<uint8_t>(v >> (8 * k));
}
void put16(Bytes* b, size_t at, uint16_t v) {
    (*b)[at] = static_cast<uint8_t>(v);
    (*b)[at + 1] = static_cast<uint8_t>(v >> 8);
}
uint32_t get32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(BitmapTest, DecodesEveryDepthAsImageMagickReadsIt) {
    for (const auto& g : tests::image::kGoldenBmps) {
        if (std::string(g.name) == "rle8") continue;  // refused: see the damaged-file table
        SCOPED_TRACE(std::string(g.name) + ": " + g.why);
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(decodeBytes(bitmap.get(), Bytes(g.bytes, g.bytes + g.size)));
        EXPECT_EQ(g.width, bitmap->getWidth());
        EXPECT_EQ(g.height, bitmap->getHeight());
        EXPECT_EQ(40u, bitmap->infoHeader().biSize) << "kept as the 40-byte header in memory";
        Held image(bitmap->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, image.get());
        const std::vector<uint32_t> got = pixelsOf(image.get());
        ASSERT_EQ(static_cast<size_t>(g.width * g.height), got.size());
        bool anyTransparent = false;
        for (int k = 0; k < g.width * g.height; ++k) {
            const uint8_t* p = g.rgba + 4 * k;
            const uint32_t want = static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
            anyTransparent = anyTransparent || p[3] != 255;
            // A fully transparent pixel's colour is not part of the picture.
            const uint32_t mask = p[3] ? 0xFFFFFFFFu : 0xFF000000u;
            EXPECT_EQ(want & mask, got[k] & mask) << "pixel " << k << std::hex << " got " << got[k];
        }
        EXPECT_EQ(anyTransparent, image->hasAlpha());
    }
}

TEST(BitmapTest, TheWriterMatchesImageMagicksBitsAndTheHeaderRules) {
    // Decoded and written again, a 24-bit file keeps ImageMagick's bits byte for byte.
    const Bytes golden = fileOf("bmp3_24");
    Pooled<Bitmap> bitmap;
    ASSERT_TRUE(decodeBytes(bitmap.get(), golden));
    const Bytes ours = encodeBytes(bitmap.get());
    ASSERT_EQ(golden.size(), ours.size());
    EXPECT_EQ(Bytes(golden.begin() + 54, golden.end()), Bytes(ours.begin() + 54, ours.end()));
    EXPECT_EQ(0x4D42, ours[0] | ours[1] << 8);

    struct Row {
        int32_t w, h, bits;
        int32_t stride;
        uint32_t imageSize, offset, fileSize;
        const char* why;
    } rows[] = {
        {3, 2, 24, 12, 18, 54, 78, "image size without row padding: 18, not 24"},
        {3, 2, 8, 4, 6, 1078, 1086, "256 palette entries: 1024 bytes"},
        {9, 1, 4, 8, 5, 118, 126, "4 bits: 16 entries, half a byte a pixel rounded up"},
        {9, 1, 1, 4, 2, 62, 66, "1 bit: 2 entries"},
        {3, 2, 16, 8, 12, 54, 70, "16 bits: no palette"},
        {3, 2, 32, 12, 24, 54, 78, "32 bits"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<Bitmap> made;
        ASSERT_TRUE(made->create(r.w, r.h, r.bits));
        EXPECT_EQ(r.stride, made->getStride());
        const Bytes b = encodeBytes(made.get());
        EXPECT_EQ(r.fileSize, b.size());
        EXPECT_EQ(r.fileSize, get32(b, 2));
        EXPECT_EQ(r.offset, get32(b, 10));
        EXPECT_EQ(40u, get32(b, 14));
        EXPECT_EQ(r.imageSize, get32(b, 34));
        EXPECT_EQ(r.bits <= 8 ? 1u << r.bits : 0u, get32(b, 46));
    }
}

// A picture whose colours every depth below holds exactly (multiples of 8 for 16 bits, at most
// 16 colours), written at each depth and read back.
TEST(BitmapTest, EveryDepthRoundTrips) {
    std::vector<uint32_t> px;
    for (int k = 0; k < 7 * 3; ++k) px.push_back(0xFF000000u | (k % 16) * 0x080808u | 0x100000u);
    struct Row {
        int32_t bits;
        const char* why;
    } rows[] = {{32, "rows copied"}, {24, "through GDI"}, {16, "through GDI, 5 bits a channel"},
                {8, "quantized, 16 colours exactly"}, {4, "quantized to 16 colours"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held image(imageOf(7, 3, px, false));
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(bitmap->fromImageWithSettings(image.get(), r.bits, true, 0, 0, 0));
        EXPECT_EQ(r.bits, bitmap->getBitDepth());
        Pooled<Bitmap> read;
        ASSERT_TRUE(decodeBytes(read.get(), encodeBytes(bitmap.get())));
        Held back(read->toBufferedImage(0, nullptr));
        ASSERT_NE(nullptr, back.get());
        std::vector<uint32_t> got = pixelsOf(back.get());
        if (r.bits == 16) {
            // GDI widens 5 bits by repeating their top bits.
            for (uint32_t& p : got) p = 0xFF000000u | (p & 0xF8F8F8u);
        }
        EXPECT_EQ(px, got);
        EXPECT_FALSE(back->hasAlpha());
    }
}

TEST(BitmapTest, DamagedFilesFailCleanly) {
    const Bytes b24 = fileOf("bmp3_24");
    const Bytes b8 = fileOf("bmp3_8");
    struct Row {
        Bytes bytes;
        const char* why;
    };
    std::vector<Row> rows;
    auto with = [](Bytes b, void (*change)(Bytes*)) {
        change(&b);
        return b;
    };
    for (size_t cut : {size_t(0), size_t(1), size_t(13), size_t(14), size_t(17), size_t(53), size_t(54),
                       b24.size() - 1}) {
        rows.push_back({Bytes(b24.begin(), b24.begin() + cut), "truncated"});
    }
    rows.push_back({Bytes(b8.begin(), b8.begin() + 600), "truncated in the palette"});
    rows.push_back({with(b24, [](Bytes* b) { (*b)[0] = 'X'; }), "not BM"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 14, 0); }), "header size 0"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 14, 39); }), "header size below 40 (and not 12)"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 14, 1000); }), "header size beyond 124"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 18, 0); }), "width 0"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 18, 0xFFFFFFFF); }), "width -1"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 18, 0x7FFFFFFF); }), "width x 4 overflows"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 22, 0); }), "height 0"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 22, 0x80000000u); }), "height INT_MIN"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 18, 0x10000); put32(b, 22, 0x10000); }),
                    "65536 x 65536 x 4 overflows 32 bits"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 18, 20000); put32(b, 22, 20000); }),
                    "a huge picture with 120 bytes of pixels"});
    rows.push_back({with(b24, [](Bytes* b) { put16(b, 26, 2); }), "planes 2 (multiplied into the stride once)"});
    rows.push_back({with(b24, [](Bytes* b) { put16(b, 28, 0); }), "0 bits per pixel"});
    rows.push_back({with(b24, [](Bytes* b) { put16(b, 28, 7); }), "7 bits per pixel"});
    rows.push_back({with(b24, [](Bytes* b) { put16(b, 28, 64); }), "64 bits per pixel"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 30, 3); }), "BITFIELDS at 24 bits"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 30, 4); }), "JPEG compression"});
    rows.push_back({fileOf("rle8"), "run-length compression"});
    rows.push_back({with(b8, [](Bytes* b) { put32(b, 46, 300); }), "a palette of 300 entries"});
    rows.push_back({with(b8, [](Bytes* b) { put32(b, 46, 0xFFFFFFFF); }), "a palette count of 2^32 - 1"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 10, 0xFFFFFFF0); }), "bits offset past the end"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 10, 175); }), "bits offset one past the end"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 10, 20); }), "bits offset inside the header"});
    rows.push_back({with(b24, [](Bytes* b) { put32(b, 10, 60); }), "bits offset leaving too few bytes"});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(bitmap->create(2, 2, 8)) << "something to lose";
        EXPECT_FALSE(decodeBytes(bitmap.get(), r.bytes));
        EXPECT_EQ(nullptr, bitmap->getBitmapHandle());
        EXPECT_EQ(nullptr, bitmap->getBits());
        EXPECT_EQ(0, bitmap->getWidth());
        EXPECT_EQ(0, bitmap->getHeight());
        EXPECT_EQ(nullptr, bitmap->toBufferedImage(0, nullptr));
    }
}

// Thousands of damaged copies of every golden file: bytes changed in the headers and the palette,
// cut short, values set to extremes. None may crash or read outside its bytes (the stream holds
// only them); a file that still decodes converts to a picture of its header's size.
TEST(BitmapTest, SurvivesDamagedCopiesOfEveryFile) {
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    const uint32_t extremes[] = {0, 1, 0x7F, 0xFF, 0x7FFF, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFF};
    int decoded = 0, total = 0;
    for (const auto& g : tests::image::kGoldenBmps) {
        for (int round = 0; round < 250; ++round, ++total) {
            Bytes b(g.bytes, g.bytes + g.size);
            const uint32_t changes = 1 + next() % 4;
            for (uint32_t c = 0; c < changes; ++c) {
                const size_t headerEnd = std::min<size_t>(b.size(), 14 + 124 + 64);
                const size_t at = next() % headerEnd;
                switch (next() % 3) {
                    case 0: b[at] = static_cast<uint8_t>(next()); break;
                    case 1:
                        if (at + 4 <= b.size()) put32(&b, at & ~size_t(1), extremes[next() % 9]);
                        break;
                    default: b.resize(next() % (b.size() + 1)); break;
                }
                if (b.empty()) break;
            }
            Pooled<Bitmap> bitmap;
            const bool dib = round % 5 == 0 && b.size() > 14;
            if (!decodeBytes(bitmap.get(), dib ? Bytes(b.begin() + 14, b.end()) : b, dib)) {
                ASSERT_EQ(nullptr, bitmap->getBits());
                continue;
            }
            ++decoded;
            Held image(bitmap->toBufferedImage(0, nullptr));
            ASSERT_NE(nullptr, image.get()) << g.name << " round " << round;
            EXPECT_EQ(bitmap->getWidth(), image->getWidth());
            EXPECT_EQ(bitmap->getHeight(), image->getHeight());
        }
    }
    EXPECT_GT(decoded, 0) << "some damage leaves a readable file (pixels or unread fields)";
    EXPECT_LT(decoded, total);
}

TEST(BitmapTest, HeadersThatOlderReadersGotWrong) {
    const Bytes b24 = fileOf("bmp3_24");
    const std::vector<uint32_t> want = [&] {
        Pooled<Bitmap> plain;
        EXPECT_TRUE(decodeBytes(plain.get(), b24));
        Held image(plain->toBufferedImage(0, nullptr));
        return pixelsOf(image.get());
    }();
    // A 24-bit file with an advisory palette of 256 entries (1024 bytes) before the bits.
    Bytes advised(b24.begin(), b24.begin() + 54);
    advised.insert(advised.end(), 1024, 0x77);
    advised.insert(advised.end(), b24.begin() + 54, b24.end());
    put32(&advised, 46, 256);
    put32(&advised, 10, 54 + 1024);
    // The same as an OS/2 file: a 12-byte header (16-bit sizes).
    Bytes core(b24.begin(), b24.begin() + 14);
    const uint8_t coreHeader[12] = {12, 0, 0, 0, 7, 0, 5, 0, 1, 0, 24, 0};
    core.insert(core.end(), coreHeader, coreHeader + 12);
    core.insert(core.end(), b24.begin() + 54, b24.end());
    put32(&core, 10, 26);
    struct Row {
        Bytes bytes;
        bool dib;
        const char* why;
    } rows[] = {
        {advised, false, "an advisory palette overran the palette"},
        {core, false, "a 12-byte header made a negative skip"},
        {Bytes(b24.begin() + 14, b24.end()), true, "the form without file header"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(decodeBytes(bitmap.get(), r.bytes, r.dib));
        Held image(bitmap->toBufferedImage(0, nullptr));
        EXPECT_EQ(want, pixelsOf(image.get()));
    }
}

TEST(BitmapTest, AlphaRulesOfTheConversion) {
    struct Row {
        std::vector<uint32_t> px;
        std::vector<uint32_t> want;
        bool alpha;
        const char* why;
    } rows[] = {
        {{0x00102030, 0x00405060}, {0xFF102030, 0xFF405060}, false, "all alpha 0: an opaque picture"},
        {{0x00102030, 0xFF405060}, {0x00102030, 0xFF405060}, true, "alpha 0 and 255: kept, flag set"},
        {{0xFF102030, 0xFF405060}, {0xFF102030, 0xFF405060}, false, "all 255: flag off"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(bitmap->create(2, 1, 32));
        std::memcpy(bitmap->getRow(0), r.px.data(), 8);
        Held given(s::image::win::newBufferedImage(1, 1));
        ASSERT_EQ(given.get(), bitmap->toBufferedImage(0, given.get())) << "into a given, smaller target";
        EXPECT_EQ(r.want, pixelsOf(given.get()));
        EXPECT_EQ(r.alpha, given->hasAlpha());
    }
}

TEST(BitmapTest, TheKeyColourBecomesTransparent) {
    Pooled<Bitmap> bitmap;
    ASSERT_TRUE(bitmap->create(2, 1, 24));
    const uint8_t row[6] = {254, 253, 252, 1, 2, 3};  // blue, green, red
    std::memcpy(bitmap->getRow(0), row, 6);
    EXPECT_FALSE(bitmap->hasKeyColor());
    bitmap->setKeyColor(252, 253, 254);
    Held image(bitmap->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    EXPECT_EQ(0u, image->getRow(0)[0] >> 24);
    EXPECT_EQ(0xFF030201u, image->getRow(0)[1]);
    EXPECT_TRUE(image->hasAlpha());
}

TEST(BitmapTest, FillingFromAnImageLeavesTheCallersImage) {
    const std::vector<uint32_t> px = {0x00FFFFFF, 0x80FF0000, 0xFF00FF00};
    struct Row {
        int32_t bits;
        bool keep;
        std::vector<uint32_t> want;  // read back
        const char* why;
    } rows[] = {
        {32, true, {0x00010203, 0x80FF0000, 0xFF00FF00}, "kept transparent, colour of the background"},
        // 0x80 over (1, 2, 3): 1 + (254 x 128 >> 8) = 128, 2 + (-2 x 128 >> 8) = 1, 3 - 2 = 1
        {32, false, {0xFF010203, 0xFF800101, 0xFF00FF00}, "flattened on the background"},
        {24, true, {0xFF010203, 0xFF800101, 0xFF00FF00}, "24 bits are flattened always"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Held image(imageOf(3, 1, px, true));
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(bitmap->fromImageWithSettings(image.get(), r.bits, r.keep, 1, 2, 3));
        EXPECT_EQ(px, pixelsOf(image.get())) << "the caller's picture is unchanged";
        Held back(bitmap->toBufferedImage(0, nullptr));
        EXPECT_EQ(r.want, pixelsOf(back.get()));
    }
}

// Pictures drawn by GDI have alpha bytes 0 and the flag off: they are opaque pictures.
TEST(BitmapTest, AnImageWithoutAlphaFlagIsWrittenOpaque) {
    const std::vector<uint32_t> px = {0x00102030, 0x00405060, 0x00708090};
    for (int32_t bits : {32, 8, 4}) {
        SCOPED_TRACE(bits);
        Held image(imageOf(3, 1, px, false));
        Pooled<Bitmap> bitmap;
        ASSERT_TRUE(bitmap->fromImageWithSettings(image.get(), bits, true, 0, 0, 0));
        Held back(bitmap->toBufferedImage(0, nullptr));
        EXPECT_EQ((std::vector<uint32_t>{0xFF102030, 0xFF405060, 0xFF708090}), pixelsOf(back.get()));
    }
}

TEST(BitmapTest, FromBitmapHandleKeepsPixelsAndPalette) {
    Pooled<Bitmap> source;
    ASSERT_TRUE(source->create(5, 3, 8));
    for (int k = 0; k < 256; ++k) source->getPalette()[k] = RGBQUAD{uint8_t(k), uint8_t(255 - k), 7, 0};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 5; ++j) source->getRow(i)[j] = static_cast<uint8_t>(i * 50 + j * 7);
    }
    // GDI's own colour table of the section, as a handle's owner would have set it.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, source->getBitmapHandle());
    SetDIBColorTable(dc, 0, 256, source->getPalette());
    SelectObject(dc, old);
    DeleteDC(dc);
    Pooled<Bitmap> copy;
    ASSERT_TRUE(copy->fromBitmapHandle(source->getBitmapHandle()));
    EXPECT_EQ(8, copy->getBitDepth());
    EXPECT_EQ(0, std::memcmp(source->getPalette(), copy->getPalette(), 1024));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, std::memcmp(source->getRow(i), copy->getRow(i), 5)) << "row " << i;
    }
    EXPECT_FALSE(copy->fromBitmapHandle(nullptr));
}

TEST(BitmapTest, AnIconWithoutAlphaGetsATransparentBackground) {
    // 16 x 16: the left half masked out (transparent), the right half solid (10, 20, 30).
    uint32_t colour[256];
    uint8_t mask[16 * 2];
    for (int k = 0; k < 256; ++k) colour[k] = (k % 16) < 8 ? 0 : 0x000A141E;
    for (int r = 0; r < 16; ++r) {
        mask[2 * r] = 0xFF;
        mask[2 * r + 1] = 0x00;
    }
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(16, 16, 1, 32, colour);
    info.hbmMask = CreateBitmap(16, 16, 1, 1, mask);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ASSERT_NE(nullptr, icon);
    Pooled<Bitmap> bitmap;
    ASSERT_TRUE(bitmap->fromIcon(icon));
    DestroyIcon(icon);
    EXPECT_EQ(16, bitmap->getWidth());
    EXPECT_EQ(24, bitmap->getBitDepth()) << "drawn again on the key colour";
    EXPECT_EQ((252 << 16) | (253 << 8) | 254, bitmap->getKeyColor());
    Held image(bitmap->toBufferedImage(0, nullptr));
    ASSERT_NE(nullptr, image.get());
    EXPECT_EQ(0u, image->getRow(5)[2] >> 24) << "background transparent";
    EXPECT_EQ(0xFF0A141Eu, image->getRow(5)[12]);
    EXPECT_TRUE(image->hasAlpha());
}

}  // namespace
