// s/image/ico/win/IconImage.cpp
//
// A DIB entry is accepted when its header is 40 to 124 bytes, one plane, a standard depth,
// no compression, a doubled height and a size under the decoders' cap, at most 256 palette
// entries, and the colour bits present; a mask cut short is completed as opaque. The entry
// is parsed from the resource bytes in memory, which are kept for toIcon.
#include "s/image/ico/win/IconImage.h"

#include "s/base/LittleEndian.h"

#include <cstring>
#include <new>

#include "s/col/_array/ArrayU08.h"
#include "s/image/ImageLimits.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImage.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::ico::win {

namespace {

using s::col::_array::ArrayU08;
using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kLargestHeaderBytes = 124;
constexpr uint32_t kDirectoryBytes = 6;
constexpr uint32_t kDirectoryEntryBytes = 16;
constexpr int32_t kLargestDibSide = 255;
constexpr uint32_t kMostEntryBytes = 64u << 20;  // a 256 x 256 entry is under 300 KB
constexpr uint32_t kIconVersion = 0x30000;

using s::base::readLe16;
using s::base::readLe32;

bool isStandardDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int32_t maskStrideOf(int32_t width) { return ((width + 31) >> 3) & ~3; }

bool readAll(s::io::IInputStream* in, ArrayU08* into) {
    uint8_t block[4096];
    for (;;) {
        uint32_t got = 0;
        if (!in->read(block, sizeof block, &got) || got == 0) return true;
        if (into->count() + got > kMostEntryBytes || !into->append(block, got, 0)) return false;
    }
}

// Bytes that start as an icon or cursor file: its first entry's bytes, within the file.
bool firstEntryOf(const uint8_t* bytes, uint32_t size, uint32_t* offset, uint32_t* length) {
    if (size < kDirectoryBytes + kDirectoryEntryBytes || readLe16(bytes) != 0) return false;
    const uint16_t type = readLe16(bytes + 2);
    if ((type != 1 && type != 2) || readLe16(bytes + 4) == 0) return false;
    const uint8_t* entry = bytes + kDirectoryBytes;
    *length = readLe32(entry + 8);
    *offset = readLe32(entry + 12);
    return *offset <= size && *length <= size - *offset;
}

}  // namespace

IconImage::IconImage()
    : m_store(s::thread::Pool<Bitmap>::obtain()), m_resource(s::thread::Pool<ArrayU08>::obtain()) {}

IconImage::~IconImage() {
    freeMask();
    if (m_store) m_store->releaseToPool();
    if (m_resource) m_resource->releaseToPool();
}

void IconImage::freeMask() {
    delete[] m_mask;
    m_mask = nullptr;
    m_maskStride = 0;
}

bool IconImage::makeMask(int32_t width, int32_t height) {
    freeMask();
    const int32_t stride = maskStrideOf(width);
    m_mask = new (std::nothrow) uint8_t[static_cast<size_t>(stride) * height];
    if (!m_mask) return false;
    std::memset(m_mask, 0, static_cast<size_t>(stride) * height);
    m_maskStride = stride;
    return true;
}

bool IconImage::create(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (m_resource) m_resource->setCount(0);
    return makeImage(width, height, bitsPerPixel);
}

bool IconImage::makeImage(int32_t width, int32_t height, int32_t bitsPerPixel) {
    freeMask();
    if (!m_store || !m_store->create(width, height, bitsPerPixel)) return false;
    if (makeMask(width, height)) return true;
    m_store->resetForReuse();
    return false;
}

int32_t IconImage::getWidth() const { return m_store && m_store->getBits() ? m_store->getWidth() : 0; }
int32_t IconImage::getHeight() const { return m_store && m_store->getBits() ? m_store->getHeight() : 0; }
int32_t IconImage::getBitDepth() const { return m_store ? m_store->getBitDepth() : 0; }
bool IconImage::hasPalette() const { return m_store && m_store->hasPalette(); }
int32_t IconImage::getPaletteCount() const { return m_store ? m_store->getPaletteCount() : 0; }
int32_t IconImage::getPaletteBytes() const { return m_store ? m_store->getPaletteBytes() : 0; }
uint8_t* IconImage::getRow(int32_t i) const { return m_store ? m_store->getRow(i) : nullptr; }
uint8_t* IconImage::getBits() const { return m_store ? m_store->getBits() : nullptr; }
int32_t IconImage::getStride() const { return m_store ? m_store->getStride() : 0; }
bool IconImage::blitTo(HBITMAP target) const { return m_store && m_store->blitTo(target); }

uint8_t* IconImage::getMaskRow(int32_t i) const {
    if (!m_mask) return nullptr;
    return m_mask + static_cast<intptr_t>(getHeight() - 1 - i) * m_maskStride;
}

bool IconImage::isMasked(int32_t x, int32_t y) const {
    const uint8_t* row = getMaskRow(y);
    return row && (row[x >> 3] & (0x80 >> (x & 7))) != 0;
}

bool IconImage::decode(s::io::IInputStream* in) {
    resetForReuse();
    if (!in || !m_resource || !m_store) return false;
    if (!readAll(in, m_resource)) {
        resetForReuse();
        return false;
    }
    const uint8_t* bytes = m_resource->data();
    uint32_t size = m_resource->count();
    uint32_t offset = 0, length = 0;
    if (bytes && firstEntryOf(bytes, size, &offset, &length)) {
        // Kept as the entry alone: those are the bytes Windows takes.
        m_resource->dropFirst(offset);
        m_resource->setCount(length);
        bytes = m_resource->data();
        size = length;
    }
    if (bytes && decodeEntry(bytes, size)) return true;
    resetForReuse();
    return false;
}

bool IconImage::decodeEntry(const uint8_t* bytes, uint32_t size) {
    if (size >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
        return decodePng(bytes, size);
    }
    return decodeDib(bytes, size);
}

bool IconImage::decodePng(const uint8_t* bytes, uint32_t size) {
    ArrayU08* in = s::thread::Pool<ArrayU08>::obtain();
    auto* png = s::thread::Pool<s::image::png::win::Png>::obtain();
    BufferedImage* image = nullptr;
    bool ok = in && png && in->append(bytes, size, 0);
    if (ok) {
        in->seekStart();
        ok = png->decode(in);
    }
    if (ok) image = png->toBufferedImage(0, nullptr);
    // Its own pixels: an entry without alpha counts as opaque, one with alpha keeps it.
    ok = image && fromImageWithSettings(image, 32, true, 255, 255, 255);
    if (image) image->releaseToPool();
    if (png) png->releaseToPool();
    if (in) in->releaseToPool();
    return ok;
}

bool IconImage::decodeDib(const uint8_t* bytes, uint32_t size) {
    if (size < kInfoHeaderBytes) return false;
    const uint32_t headerBytes = readLe32(bytes);
    const int32_t width = static_cast<int32_t>(readLe32(bytes + 4));
    const int32_t doubled = static_cast<int32_t>(readLe32(bytes + 8));
    const uint32_t planes = readLe16(bytes + 12), bits = readLe16(bytes + 14);
    const uint32_t compression = readLe32(bytes + 16), colorsUsed = readLe32(bytes + 32);
    if (headerBytes < kInfoHeaderBytes || headerBytes > kLargestHeaderBytes || headerBytes > size) return false;
    if (planes != 1 || !isStandardDepth(bits) || compression != BI_RGB) return false;
    if (doubled <= 0 || !s::image::isDecodableSize(width, doubled / 2)) return false;
    const int32_t height = doubled / 2;
    const uint32_t entries = bits > 8 ? 0 : colorsUsed ? colorsUsed : 1u << bits;
    if (entries > 256) return false;

    uint64_t at = headerBytes;
    if (at + entries * 4ull > size) return false;
    const uint8_t* palette = bytes + at;
    at += entries * 4ull;
    // Above 8 bits a table of colours-used entries only advises a display; the bits follow it.
    if (bits > 8) at += colorsUsed * 4ull;
    if (!makeImage(width, height, static_cast<int32_t>(bits))) return false;
    const uint64_t colorBytes = static_cast<uint64_t>(getStride()) * height;
    if (at + colorBytes > size) return false;
    const uint32_t kept = entries < static_cast<uint32_t>(getPaletteCount()) ? entries : getPaletteCount();
    std::memcpy(m_store->getPalette(), palette, kept * 4ull);
    std::memcpy(getBits(), bytes + at, colorBytes);
    at += colorBytes;
    const uint64_t maskBytes = static_cast<uint64_t>(m_maskStride) * height;
    const uint64_t present = size - at < maskBytes ? size - at : maskBytes;
    std::memcpy(m_mask, bytes + at, present);  // the rest stays clear: opaque
    return true;
}

bool IconImage::writeDib(s::io::IOutputStream* out) const {
    BITMAPINFOHEADER header = m_store->infoHeader();
    header.biSize = kInfoHeaderBytes;
    header.biHeight *= 2;  // the colour image and the mask, one above the other
    const uint32_t colorBytes = static_cast<uint32_t>(getStride()) * getHeight();
    const uint32_t maskBytes = static_cast<uint32_t>(m_maskStride) * getHeight();
    header.biSizeImage = colorBytes + maskBytes;
    return out->write(&header, kInfoHeaderBytes, nullptr) &&
           (!hasPalette() || out->write(m_store->getPalette(), getPaletteBytes(), nullptr)) &&
           out->write(getBits(), colorBytes, nullptr) && out->write(m_mask, maskBytes, nullptr);
}

bool IconImage::encode(s::io::IOutputStream* out) const {
    if (!out || !getBits() || !m_mask) return false;
    if (getWidth() <= kLargestDibSide && getHeight() <= kLargestDibSide) return writeDib(out);
    BufferedImage* image = toBufferedImage(0, nullptr);
    auto* png = image ? s::image::png::win::newPngFromImage(image, false, true, 255, 255, 255) : nullptr;
    const bool ok = png && png->encode(out);
    if (png) png->releaseToPool();
    if (image) image->releaseToPool();
    return ok;
}

HICON IconImage::toIcon() {
    if (!getBits() || !m_mask || !m_resource) return nullptr;
    if (m_resource->count() == 0) {
        m_resource->seekStart();
        if (!writeDib(m_resource)) {
            m_resource->setCount(0);
            return nullptr;
        }
        m_resource->seekStart();
    }
    PBYTE bytes = m_resource->data();
    const DWORD size = m_resource->count();
    HICON icon = CreateIconFromResourceEx(bytes, size, TRUE, kIconVersion, getWidth(), getHeight(),
                                          LR_DEFAULTCOLOR);
    if (!icon && getBitDepth() != 16) icon = CreateIconFromResource(bytes, size, TRUE, kIconVersion);
    return icon;
}

void IconImage::applyMaskTo(BufferedImage* image) const {
    bool any = false;
    for (int32_t i = 0; i < getHeight(); ++i) {
        uint32_t* row = image->getRow(i);
        for (int32_t j = 0; j < getWidth(); ++j) {
            const bool masked = isMasked(j, i);
            row[j] = masked ? row[j] & 0xFFFFFFu : row[j] | 0xFF000000u;
            any = any || masked;
        }
    }
    image->setHasAlpha(any);
}

BufferedImage* IconImage::toBufferedImage(int32_t index, BufferedImage* target) const {
    if (!getBits() || !m_mask) return nullptr;
    BufferedImage* image = m_store->toBufferedImage(index, target);
    if (!image) return nullptr;
    bool ownAlpha = false;
    for (int32_t i = 0; is32Bit() && !ownAlpha && i < getHeight(); ++i) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(getRow(i));
        for (int32_t j = 0; j < getWidth() && !ownAlpha; ++j) ownAlpha = (row[j] >> 24) != 0;
    }
    // A 32-bit entry whose alpha is 0 everywhere was written by a tool that knows only the
    // mask: Windows draws it with the mask, and so does this.
    if (!ownAlpha) applyMaskTo(image);
    return image;
}

void IconImage::quantizeFrom(const BufferedImage* source, int32_t bitsPerPixel) {
    auto* quantizer = s::thread::Pool<s::image::filters::reduction::Quantizer>::obtain();
    if (!quantizer) return;
    // One index short of the depth: the last one stays black, for the transparent pixels.
    const uint32_t limit = (1u << bitsPerPixel) - 1;
    quantizer->buildOctree(source, limit);
    std::memcpy(m_store->getPalette(), quantizer->palette(), static_cast<size_t>(getPaletteBytes()));
    for (int32_t i = 0; i < getHeight(); ++i) {
        quantizer->mapToPalette(source->getRow(i), getWidth(), getRow(i), bitsPerPixel);
    }
    quantizer->releaseToPool();
}

void IconImage::maskFrom(const BufferedImage* source) {
    std::memset(m_mask, 0, static_cast<size_t>(m_maskStride) * getHeight());
    if (!source->hasAlpha()) return;
    for (int32_t i = 0; i < getHeight(); ++i) {
        const uint32_t* row = source->getRow(i);
        uint8_t* mask = getMaskRow(i);
        for (int32_t j = 0; j < getWidth(); ++j) {
            if (row[j] >> 24 == 0) mask[j >> 3] |= static_cast<uint8_t>(0x80 >> (j & 7));
        }
    }
}

bool IconImage::fromImageWithSettings(const BufferedImage* image, int32_t bitsPerPixel,
                                      bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) {
    resetForReuse();
    if (!image || image->getWidth() <= 0 || image->getHeight() <= 0) return false;
    const int32_t width = image->getWidth(), height = image->getHeight();
    const BufferedImage* source = image;
    BufferedImage* temporary = nullptr;
    if (image->hasAlpha() && keepTransparency && bitsPerPixel != 32) {
        temporary = image->copy(nullptr);
        if (temporary) temporary->thresholdAlpha(32);
    } else if (image->hasAlpha() && !keepTransparency) {
        temporary = s::image::win::newBufferedImage(width, height);
        if (temporary && temporary->getWidth() == width) {
            temporary->fill(255, red, green, blue);
            temporary->drawImage(0, 0, image, 0, 0);
        }
    }
    if (temporary && temporary->getWidth() != width) {
        temporary->releaseToPool();
        return false;
    }
    if (temporary) source = temporary;
    bool ok = create(width, height, bitsPerPixel);
    if (ok && (bitsPerPixel == 4 || bitsPerPixel == 8)) {
        quantizeFrom(source, bitsPerPixel);
    } else if (ok && bitsPerPixel == 32) {
        const uint32_t opaque = source->hasAlpha() ? 0 : 0xFF000000u;
        for (int32_t i = 0; i < height; ++i) {
            const uint32_t* from = source->getRow(i);
            uint32_t* to = reinterpret_cast<uint32_t*>(getRow(i));
            for (int32_t j = 0; j < width; ++j) to[j] = from[j] | opaque;
        }
    } else if (ok) {
        ok = source->pixelStore()->blitTo(m_store->getBitmapHandle());
        GdiFlush();
    }
    if (ok) maskFrom(source);
    if (temporary) temporary->releaseToPool();
    if (!ok) resetForReuse();
    return ok;
}

s::base::IObject* IconImage::newInstance() const { return s::thread::Pool<IconImage>::obtain(); }

void IconImage::releaseToPool() { s::thread::Pool<IconImage>::release(this); }

void IconImage::resetForReuse() {
    if (m_store) m_store->resetForReuse();
    if (m_resource) m_resource->setCount(0);
    freeMask();
}

}  // namespace s::image::ico::win
