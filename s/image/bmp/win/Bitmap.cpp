// s/image/bmp/win/Bitmap.cpp
//
// Decoding checks the header before anything is made: planes 1, a standard depth, no run-length
// compression, width > 0, height != 0 (negative: top-down, flipped on reading), width x height x 4
// within 31 bits, at most 256 palette entries, and the bits present in the stream. The in-memory
// header is always the 40-byte one, bottom-up, so GDI finds the palette right behind it.
#include "s/image/bmp/win/Bitmap.h"

#include "s/base/LittleEndian.h"

#include <cstring>

#include "s/image/bmp/EncodeSetting.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "s/image/win/BufferedImage.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::bmp::win {

namespace {

using s::image::win::BufferedImage;

constexpr uint16_t kTypeBM = 0x4D42;
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kLargestHeaderBytes = 124;  // the fifth version
constexpr uint64_t kMostPictureBytes = 0x7FFFFFFF;

using s::base::readLe16;
using s::base::readLe32;

bool isStandardDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint64_t strideOf(uint64_t width, uint64_t bits) { return ((width * bits + 31) >> 5) << 2; }

// The size the image-size field holds: the pixels' bytes without row padding.
uint32_t unpaddedBytes(uint64_t width, uint64_t height, uint32_t bits) {
    return static_cast<uint32_t>((width * height * bits + 7) / 8);
}

bool fits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && static_cast<uint64_t>(width) * height * 4 <= kMostPictureBytes;
}

bool readFully(s::io::IInputStream* in, void* buffer, uint32_t count) {
    uint8_t* at = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        uint32_t got = 0;
        if (!in->read(at, count, &got) || got == 0) return false;
        at += got;
        count -= got;
    }
    return true;
}

// Bytes left in a seekable stream; unknown (all) for the others, whose reads then fail short.
uint64_t bytesLeft(s::io::IInputStream* in) {
    if (!in->canSeek()) return UINT64_MAX;
    const uint64_t at = in->position();
    if (!in->seekEnd()) return UINT64_MAX;
    const uint64_t end = in->position();
    in->seek(at);
    return end > at ? end - at : 0;
}

bool skipFully(s::io::IInputStream* in, uint64_t count) { return in->skip(count) == count; }

// The header as read, whichever of its versions the file holds.
struct Header {
    uint32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t planes = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t masks[3] = {};
    bool masksInHeader = false;
};

bool readHeader(s::io::IInputStream* in, Header* h) {
    uint8_t raw[kLargestHeaderBytes] = {};
    if (!readFully(in, raw, 4)) return false;
    h->size = readLe32(raw);
    if (h->size != kCoreHeaderBytes && (h->size < kInfoHeaderBytes || h->size > kLargestHeaderBytes)) {
        return false;
    }
    if (!readFully(in, raw + 4, h->size - 4)) return false;
    if (h->size == kCoreHeaderBytes) {
        h->width = readLe16(raw + 4);
        h->height = readLe16(raw + 6);
        h->planes = readLe16(raw + 8);
        h->bits = readLe16(raw + 10);
        return true;
    }
    h->width = static_cast<int32_t>(readLe32(raw + 4));
    h->height = static_cast<int32_t>(readLe32(raw + 8));
    h->planes = readLe16(raw + 12);
    h->bits = readLe16(raw + 14);
    h->compression = readLe32(raw + 16);
    h->colorsUsed = readLe32(raw + 32);
    h->masksInHeader = h->size >= 52;
    if (h->masksInHeader) {
        for (int k = 0; k < 3; ++k) h->masks[k] = readLe32(raw + 40 + 4 * k);
    }
    return true;
}

bool isAcceptable(const Header& h) {
    if (h.planes != 1 || !isStandardDepth(h.bits)) return false;
    const bool fields = h.compression == BI_BITFIELDS && (h.bits == 16 || h.bits == 32);
    if (h.compression != BI_RGB && !fields) return false;
    if (h.bits <= 8 && h.colorsUsed > 256) return false;
    const int64_t height = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
    return fits(h.width, height);
}

// Masks that say what the plain layout of that depth says, so GDI and the alpha rules treat
// the picture as plain (ImageMagick writes such 32-bit files with an alpha mask).
bool arePlainMasks(const uint32_t* m, uint32_t bits) {
    if (bits == 32) return m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
    return m[0] == 0x7C00 && m[1] == 0x3E0 && m[2] == 0x1F;
}

}  // namespace

Bitmap::Bitmap() { resetForReuse(); }

Bitmap::~Bitmap() { deleteSection(); }

void Bitmap::deleteSection() {
    if (m_bitmap) DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_bits = nullptr;
}

void Bitmap::computeLayout() {
    const BITMAPINFOHEADER& h = m_info.header;
    m_stride = static_cast<int32_t>(strideOf(h.biWidth, h.biBitCount));
    if (h.biBitCount <= 8) {
        m_paletteCount = 1 << h.biBitCount;
    } else {
        m_paletteCount = h.biCompression == BI_BITFIELDS ? 3 : 0;
    }
}

void Bitmap::setFileHeader() {
    m_file.bfType = kTypeBM;
    m_file.bfReserved1 = m_file.bfReserved2 = 0;
    m_file.bfOffBits = kFileHeaderBytes + kInfoHeaderBytes + getPaletteBytes();
    m_file.bfSize = m_file.bfOffBits + static_cast<uint32_t>(m_stride) * m_info.header.biHeight;
}

bool Bitmap::makeSection() {
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&m_info), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
    m_bits = static_cast<uint8_t*>(bits);
    if (m_bitmap && m_bits) return true;
    resetForReuse();
    return false;
}

bool Bitmap::create(int32_t width, int32_t height, int32_t bitsPerPixel) {
    resetForReuse();
    if (!fits(width, height) || bitsPerPixel <= 0 || !isStandardDepth(bitsPerPixel)) return false;
    BITMAPINFOHEADER& h = m_info.header;
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = static_cast<WORD>(bitsPerPixel);
    h.biSizeImage = unpaddedBytes(width, height, bitsPerPixel);
    h.biClrUsed = h.biClrImportant = bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
    computeLayout();
    setFileHeader();
    return makeSection();
}

bool Bitmap::is32BitRgb() const {
    return m_info.header.biBitCount == 32 && m_info.header.biCompression != BI_BITFIELDS;
}

uint8_t* Bitmap::getRow(int32_t i) const {
    if (!m_bits) return nullptr;
    return m_bits + static_cast<intptr_t>(m_info.header.biHeight - 1 - i) * m_stride;
}

void Bitmap::setKeyColor(uint8_t red, uint8_t green, uint8_t blue) {
    m_keyColor = red << 16 | green << 8 | blue;
}

bool Bitmap::decode(s::io::IInputStream* in) { return decodeFrom(in, true); }

bool Bitmap::decodeDib(s::io::IInputStream* in) { return decodeFrom(in, false); }

bool Bitmap::decodeFrom(s::io::IInputStream* in, bool withFileHeader) {
    resetForReuse();
    if (decodeParts(in, withFileHeader)) return true;
    resetForReuse();
    return false;
}

bool Bitmap::decodeParts(s::io::IInputStream* in, bool withFileHeader) {
    if (!in) return false;
    const uint64_t start = in->position();
    const uint64_t total = bytesLeft(in);
    uint8_t file[kFileHeaderBytes];
    if (withFileHeader && (!readFully(in, file, kFileHeaderBytes) || readLe16(file) != kTypeBM)) return false;
    Header h;
    if (!readHeader(in, &h) || !isAcceptable(h)) return false;

    BITMAPINFOHEADER& info = m_info.header;
    info.biWidth = h.width;
    info.biHeight = h.height < 0 ? -h.height : h.height;
    info.biBitCount = static_cast<WORD>(h.bits);
    info.biCompression = h.compression;
    info.biSizeImage = unpaddedBytes(info.biWidth, info.biHeight, h.bits);
    if (h.bits <= 8) info.biClrUsed = info.biClrImportant = 1u << h.bits;

    if (h.compression == BI_BITFIELDS) {
        uint8_t raw[12];
        if (!h.masksInHeader) {
            if (!readFully(in, raw, 12)) return false;
            for (int k = 0; k < 3; ++k) h.masks[k] = readLe32(raw + 4 * k);
        }
        if (arePlainMasks(h.masks, h.bits)) info.biCompression = BI_RGB;
    }
    computeLayout();
    if (info.biCompression == BI_BITFIELDS) std::memcpy(m_info.palette, h.masks, 12);

    if (h.bits <= 8) {
        const uint32_t entries = h.size == kCoreHeaderBytes || h.colorsUsed == 0 ? 1u << h.bits : h.colorsUsed;
        const uint32_t entryBytes = h.size == kCoreHeaderBytes ? 3 : 4;
        uint8_t raw[256 * 4];
        if (!readFully(in, raw, entries * entryBytes)) return false;
        for (uint32_t k = 0; k < entries && k < static_cast<uint32_t>(m_paletteCount); ++k) {
            const uint8_t* e = raw + k * entryBytes;
            m_info.palette[k] = RGBQUAD{e[0], e[1], e[2], 0};
        }
    } else if (!withFileHeader && h.colorsUsed > 0) {
        // A palette that only advises a display lies between header and bits: skipped.
        if (!skipFully(in, static_cast<uint64_t>(h.colorsUsed) * 4)) return false;
    }

    if (withFileHeader) {
        const uint64_t at = in->position() - start;
        const uint64_t offset = readLe32(file + 10);
        if (offset < at || !skipFully(in, offset - at)) return false;
    }
    const uint64_t rowBytes = static_cast<uint64_t>(m_stride);
    const uint64_t needed = rowBytes * info.biHeight;
    if (total != UINT64_MAX && needed > total - (in->position() - start)) return false;

    setFileHeader();
    if (!makeSection()) return false;
    if (h.height > 0) return readFully(in, m_bits, static_cast<uint32_t>(needed));
    for (int32_t i = 0; i < info.biHeight; ++i) {
        if (!readFully(in, getRow(i), m_stride)) return false;
    }
    return true;
}

bool Bitmap::encodeDib(s::io::IOutputStream* out) const {
    if (!out || !m_bits) return false;
    const uint32_t bitsBytes = static_cast<uint32_t>(m_stride) * m_info.header.biHeight;
    return out->write(&m_info.header, kInfoHeaderBytes, nullptr) &&
           (!hasPalette() || out->write(m_info.palette, getPaletteBytes(), nullptr)) &&
           out->write(m_bits, bitsBytes, nullptr);
}

bool Bitmap::encode(s::io::IOutputStream* out) const {
    if (!out || !m_bits) return false;
    uint8_t file[kFileHeaderBytes];
    std::memcpy(file, &m_file, kFileHeaderBytes);
    return out->write(file, kFileHeaderBytes, nullptr) && encodeDib(out);
}

bool Bitmap::blitTo(HBITMAP target) const {
    if (!m_bitmap || !target) return false;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = from ? SelectObject(from, m_bitmap) : nullptr;
    HGDIOBJ oldTo = to ? SelectObject(to, target) : nullptr;
    bool ok = false;
    if (oldFrom && oldTo) {
        if (hasPalette() && getBitDepth() <= 8) SetDIBColorTable(from, 0, m_paletteCount, m_info.palette);
        ok = BitBlt(to, 0, 0, getWidth(), getHeight(), from, 0, 0, SRCCOPY) != 0;
    }
    if (oldFrom) SelectObject(from, oldFrom);
    if (oldTo) SelectObject(to, oldTo);
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    return ok;
}

bool Bitmap::fromBitmapHandle(HBITMAP bitmap) {
    resetForReuse();
    DIBSECTION described = {};
    const int got = bitmap ? GetObjectW(bitmap, sizeof described, &described) : 0;
    if (got < static_cast<int>(sizeof(BITMAP))) return false;
    const BITMAP& b = described.dsBm;
    const int32_t height = b.bmHeight < 0 ? -b.bmHeight : b.bmHeight;
    if (!create(b.bmWidth, height, b.bmBitsPixel * b.bmPlanes)) return false;
    const bool section = got == static_cast<int>(sizeof described) && b.bmBits;
    bool ok = takeColorTable(bitmap, section);
    if (ok && section) {
        // Same depth and layout: the rows are copied (a section may be top-down).
        const bool topDown = described.dsBmih.biHeight < 0;
        const uint8_t* from = static_cast<const uint8_t*>(b.bmBits);
        for (int32_t k = 0; k < height; ++k) {
            const int32_t row = topDown ? k : height - 1 - k;  // memory row k is this logical row
            std::memcpy(getRow(row), from + static_cast<intptr_t>(k) * b.bmWidthBytes, m_stride);
        }
    } else if (ok) {
        Bitmap source;  // a borrowed view of the handle, for one blit
        source.m_bitmap = bitmap;
        source.m_info = m_info;
        source.m_paletteCount = 0;  // a device bitmap has no colour table of its own
        ok = source.blitTo(m_bitmap);
        source.m_bitmap = nullptr;
    }
    if (!ok) resetForReuse();
    return ok;
}

// The handle's colours into the in-memory palette and this section's own colour table, which
// GDI uses when it blits into this picture.
bool Bitmap::takeColorTable(HBITMAP bitmap, bool section) {
    if (!hasPalette() || getBitDepth() > 8) return true;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc ? SelectObject(dc, bitmap) : nullptr;
    if (old && section) {
        GetDIBColorTable(dc, 0, m_paletteCount, m_info.palette);
    } else if (old) {
        PALETTEENTRY entries[256] = {};
        HPALETTE palette = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
        const UINT n = palette ? GetPaletteEntries(palette, 0, m_paletteCount, entries) : 0;
        for (UINT k = 0; k < n; ++k) {
            m_info.palette[k] = RGBQUAD{entries[k].peBlue, entries[k].peGreen, entries[k].peRed, 0};
        }
    }
    if (old) SelectObject(dc, old);
    if (dc) DeleteDC(dc);
    return old != nullptr && applyColorTable();
}

bool Bitmap::applyColorTable() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc ? SelectObject(dc, m_bitmap) : nullptr;
    if (old) {
        SetDIBColorTable(dc, 0, m_paletteCount, m_info.palette);
        SelectObject(dc, old);
    }
    if (dc) DeleteDC(dc);
    return old != nullptr;
}

bool Bitmap::fromIcon(HICON icon) {
    resetForReuse();
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    BITMAP described = {};
    int32_t width = 0, height = 0;
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof described, &described)) {
        width = described.bmWidth;
        height = described.bmHeight;
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof described, &described)) {
        // A monochrome icon's mask holds the AND and the XOR mask one above the other.
        width = described.bmWidth;
        height = described.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (width <= 0) width = 16;
    if (height <= 0) height = 16;

    auto draw = [this, icon, width, height]() {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = dc ? SelectObject(dc, m_bitmap) : nullptr;
        const bool ok = old && DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        if (old) SelectObject(dc, old);
        if (dc) DeleteDC(dc);
        return ok;
    };
    if (!create(width, height, 32)) return false;
    for (int32_t i = 0; i < height; ++i) {
        uint32_t* row = reinterpret_cast<uint32_t*>(getRow(i));
        for (int32_t j = 0; j < width; ++j) row[j] = 0x00FFFFFFu;
    }
    GdiFlush();
    if (!draw()) return false;
    GdiFlush();
    for (int32_t i = 0; i < height; ++i) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(getRow(i));
        for (int32_t j = 0; j < width; ++j) {
            if (row[j] >> 24) return true;
        }
    }
    // No alpha drawn: draw again on a key colour that the conversion makes transparent.
    if (!create(width, height, 24)) return false;
    for (int32_t i = 0; i < height; ++i) {
        uint8_t* row = getRow(i);
        for (int32_t j = 0; j < width; ++j) {
            row[3 * j] = 254;
            row[3 * j + 1] = 253;
            row[3 * j + 2] = 252;
        }
    }
    setKeyColor(252, 253, 254);
    GdiFlush();
    return draw();
}

bool Bitmap::fromImageWithSettings(const BufferedImage* image, int32_t bitsPerPixel,
                                   bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) {
    resetForReuse();
    if (!image || image->getWidth() <= 0 || image->getHeight() <= 0) return false;
    const int32_t width = image->getWidth(), height = image->getHeight();
    const BufferedImage* source = image;
    BufferedImage* temporary = nullptr;
    if (image->hasAlpha()) {
        // Worked on a copy: the caller's picture stays as it was.
        if (keepTransparency && bitsPerPixel == 32) {
            temporary = image->copy(nullptr);
            if (temporary) temporary->fillTransparent(red, green, blue);
        } else {
            temporary = s::image::win::newBufferedImage(width, height);
            if (temporary && temporary->getWidth() == width) {
                temporary->fill(255, red, green, blue);
                temporary->drawImage(0, 0, image, 0, 0);
            }
        }
        if (!temporary || temporary->getWidth() != width) {
            if (temporary) temporary->releaseToPool();
            return false;
        }
        source = temporary;
    }
    bool ok = create(width, height, bitsPerPixel);
    if (ok && (bitsPerPixel == 4 || bitsPerPixel == 8)) {
        auto* quantizer = s::thread::Pool<s::image::filters::reduction::Quantizer>::obtain();
        ok = quantizer != nullptr;
        if (ok) {
            quantizer->buildOctree(source, 1u << bitsPerPixel);
            std::memcpy(m_info.palette, quantizer->palette(), static_cast<size_t>(getPaletteBytes()));
            applyColorTable();
            for (int32_t i = 0; i < height; ++i) {
                quantizer->mapToPalette(source->getRow(i), width, getRow(i), bitsPerPixel);
            }
            quantizer->releaseToPool();
        }
    } else if (ok && (bitsPerPixel == 16 || bitsPerPixel == 24)) {
        ok = source->pixelStore()->blitTo(m_bitmap);
    } else if (ok && bitsPerPixel == 32) {
        const uint32_t opaque = source->hasAlpha() ? 0 : 0xFF000000u;
        for (int32_t i = 0; i < height; ++i) {
            const uint32_t* from = source->getRow(i);
            uint32_t* to = reinterpret_cast<uint32_t*>(getRow(i));
            for (int32_t j = 0; j < width; ++j) to[j] = from[j] | opaque;
        }
    }
    if (temporary) temporary->releaseToPool();
    if (!ok) resetForReuse();
    return ok;
}

void Bitmap::copyAlphaInto(BufferedImage* target) const {
    bool anyAlpha = false, anyBelow = false;
    for (int32_t i = 0; i < getHeight(); ++i) {
        const uint32_t* from = reinterpret_cast<const uint32_t*>(getRow(i));
        uint32_t* to = target->getRow(i);
        std::memcpy(to, from, static_cast<size_t>(getWidth()) * 4);
        for (int32_t j = 0; j < getWidth(); ++j) {
            const uint32_t a = from[j] >> 24;
            anyAlpha = anyAlpha || a != 0;
            anyBelow = anyBelow || a != 255;
        }
    }
    // Writers that know no alpha leave the fourth byte 0: such a picture is opaque.
    if (anyAlpha) {
        target->setHasAlpha(anyBelow);
    } else {
        target->makeOpaque();
    }
}

BufferedImage* Bitmap::toBufferedImage(int32_t, BufferedImage* target) const {
    if (!m_bitmap) return nullptr;
    const int32_t width = getWidth(), height = getHeight();
    BufferedImage* image = target;
    if (image) {
        image->setSize(0, 0);
        image->ensureSize(width, height);
        image->setSize(width, height);
    } else {
        image = s::image::win::newBufferedImage(width, height);
    }
    if (!image) return nullptr;
    if (image->getWidth() != width || image->getHeight() != height) {
        if (!target) image->releaseToPool();
        return nullptr;
    }
    if (is32BitRgb()) {
        copyAlphaInto(image);
        return image;
    }
    if (!blitTo(image->getBitmapHandle())) {
        if (!target) image->releaseToPool();
        return nullptr;
    }
    GdiFlush();
    if (hasKeyColor()) {
        image->makeOpaque();
        image->colorToTransparent(m_keyColor >> 16 & 0xFF, m_keyColor >> 8 & 0xFF, m_keyColor & 0xFF);
    } else {
        image->makeOpaque();
    }
    return image;
}

s::base::IObject* Bitmap::newInstance() const { return s::thread::Pool<Bitmap>::obtain(); }

void Bitmap::releaseToPool() { s::thread::Pool<Bitmap>::release(this); }

void Bitmap::resetForReuse() {
    deleteSection();
    m_info = Info{};
    m_info.header.biSize = kInfoHeaderBytes;
    m_info.header.biPlanes = 1;
    m_info.header.biBitCount = 32;
    m_stride = 0;
    m_paletteCount = 0;
    m_keyColor = -1;
    m_file = BITMAPFILEHEADER{};
    m_file.bfType = kTypeBM;
    m_file.bfSize = kFileHeaderBytes + kInfoHeaderBytes;
    m_file.bfOffBits = kFileHeaderBytes + kInfoHeaderBytes;
}

s::image::IEncodedImage* Bitmap::newFromImage(s::image::win::BufferedImage* image) const {
    s::image::bmp::EncodeSetting* setting = s::thread::Pool<s::image::bmp::EncodeSetting>::obtain();
    if (!setting) return nullptr;
    setting->setKeepTransparency(true);
    setting->setBpp(getBitDepth());
    s::image::IEncodedImage* made = setting->encodeImage(image);
    setting->releaseToPool();
    return made;
}

Bitmap* newBitmapFromImage(const s::image::win::BufferedImage* image, int32_t bitsPerPixel, bool keepTransparency,
                           uint8_t red, uint8_t green, uint8_t blue) {
    Bitmap* bitmap = s::thread::Pool<Bitmap>::obtain();
    if (bitmap && !bitmap->fromImageWithSettings(image, bitsPerPixel, keepTransparency, red, green, blue)) {
        bitmap->releaseToPool();
        return nullptr;
    }
    return bitmap;
}

}  // namespace s::image::bmp::win
