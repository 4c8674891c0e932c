// s/image/gif/win/Gif.cpp
//
// Every read that fails ends decoding with the frames so far: a loop that waited for a byte a
// cut file never holds would never end. Block sizes are taken from the file, not assumed.
#include "s/image/gif/win/Gif.h"

#include <cstring>
#include <new>

#include "s/base/LittleEndian.h"
#include "s/image/ImageChoice.h"
#include "s/image/ImageLimits.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "s/image/gif/EncodeSetting.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/image/win/LoadFromArchive.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::gif::win {

using s::base::readLe16;
using s::image::bmp::win::Bitmap;

namespace {

constexpr uint32_t kMostCompressedBytes = 64u * 1024 * 1024;

bool put(s::io::IOutputStream* out, const void* bytes, uint32_t count) {
    uint32_t written = 0;
    return out->write(bytes, count, &written) && written == count;
}

// The depths a frame's pixel store can have: a GIF's colour depth (1 to 8) is held in the
// smallest of them that holds it. 0 for a depth no GIF has.
int32_t storeDepthOf(int32_t depth) {
    if (depth < 1 || depth > 8) return 0;
    return depth == 1 ? 1 : depth <= 4 ? 4 : 8;
}

bool isFrameDepth(int32_t bits) { return bits == 1 || bits == 4 || bits == 8; }

// Palette index x of a row of a 1-, 4- or 8-bit store (the first pixel in the high bits).
uint8_t indexAt(const uint8_t* row, int32_t x, int32_t bits) {
    if (bits == 8) return row[x];
    if (bits == 4) return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// The frame's indices through the coder, which takes one index a byte: a store of fewer bits
// is spread out first, top row first.
bool encodeIndices(GifLzw* lzw, const Bitmap* b, int32_t minSize, s::io::IOutputStream* out) {
    const int32_t width = b->getWidth(), height = b->getHeight(), bits = b->getBitDepth();
    if (bits == 8) {
        const intptr_t stride = height > 1 ? b->getRow(1) - b->getRow(0) : 0;
        return lzw->encode(b->getRow(0), width, height, minSize, static_cast<int32_t>(stride), out);
    }
    uint8_t* spread = new (std::nothrow) uint8_t[static_cast<size_t>(width) * height];
    if (!spread) return false;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) spread[static_cast<size_t>(y) * width + x] = indexAt(b->getRow(y), x, bits);
    }
    const bool ok = lzw->encode(spread, width, height, minSize, width, out);
    delete[] spread;
    return ok;
}

}  // namespace

// Bytes from the stream through a small buffer; false once it has no more.
class Gif::Reader {
public:
    explicit Reader(s::io::IInputStream* in) : m_in(in) {}
    bool byte(uint8_t* b) {
        if (m_at == m_end) {
            uint32_t got = 0;
            if (!m_in->read(m_buffer, sizeof m_buffer, &got) || got == 0) return false;
            m_at = 0;
            m_end = got;
        }
        *b = m_buffer[m_at++];
        return true;
    }
    bool bytes(uint8_t* to, uint32_t count) {
        for (uint32_t k = 0; k < count; ++k) {
            if (!byte(to + k)) return false;
        }
        return true;
    }
    bool skipSubBlocks() {
        for (uint8_t size = 0;;) {
            if (!byte(&size)) return false;
            if (size == 0) return true;
            for (uint8_t b = 0; size > 0; --size) {
                if (!byte(&b)) return false;
            }
        }
    }

private:
    s::io::IInputStream* m_in;
    uint8_t m_buffer[4096];
    uint32_t m_at = 0, m_end = 0;
};

Gif::~Gif() {
    releaseFrames();
    delete[] m_frames;
    delete[] m_data;
    delete[] m_pixels;
}

bool Gif::decode(s::io::IInputStream* in) {
    resetForReuse();
    if (!in) return false;
    Reader reader(in);
    if (!reader.bytes(m_screen, 13) || std::memcmp(m_screen, "GIF", 3) != 0) return false;
    if (m_screen[10] & 0x80) {
        if (!readTable(&reader, m_screen[10], m_global, &m_globalEntries)) return false;
    } else {
        for (int32_t k = 0; k < 256; ++k) m_global[3 * k] = m_global[3 * k + 1] = m_global[3 * k + 2] = static_cast<uint8_t>(k);
        m_globalEntries = 256;
    }
    for (uint8_t b = 0; reader.byte(&b) && b != 0x3B;) {
        const bool going = b == 0x21 ? readExtension(&reader) : (b == 0x2C ? readImage(&reader) : true);
        if (!going) break;
    }
    return m_count > 0;
}

bool Gif::readTable(Reader* in, int32_t flags, uint8_t* table, int32_t* entries) {
    *entries = 2 << (flags & 7);
    m_depth = (flags & 7) + 1;
    std::memset(table, 0, 256 * 3);
    return in->bytes(table, static_cast<uint32_t>(*entries) * 3);
}

bool Gif::readExtension(Reader* in) {
    uint8_t label = 0, size = 0;
    if (!in->byte(&label) || !in->byte(&size)) return false;
    uint8_t block[255] = {};
    if (!in->bytes(block, size)) return false;
    if (label == 0xF9 && size >= 4) {
        std::memcpy(m_control, block, 4);
        m_controlPending = true;
    } else if (label == 0xFF && size == 11 && std::memcmp(block, "NETSCAPE2.0", 11) == 0) {
        uint8_t sub = 0;
        if (!in->byte(&sub)) return false;
        if (sub == 0) return true;
        if (!in->bytes(block, sub)) return false;
        if (sub >= 3) m_loopCount = readLe16(block + 1);
    }
    return in->skipSubBlocks();
}

bool Gif::readImage(Reader* in) {
    uint8_t d[9];
    uint8_t local[256 * 3];
    int32_t entries = 0;
    uint8_t minSize = 0;
    if (!in->bytes(d, 9)) return false;
    if ((d[8] & 0x80) && !readTable(in, d[8], local, &entries)) return false;
    if (!in->byte(&minSize) || !joinSubBlocks(in)) return false;
    const int32_t width = readLe16(d + 4);
    const int32_t height = readLe16(d + 6);
    Bitmap* frame = nullptr;
    if (m_count < kMostFrames && s::image::isDecodableSize(width, height)) {
        frame = (d[8] & 0x80) ? frameOf(local, entries, width, height, (d[8] & 0x40) != 0, minSize)
                              : frameOf(m_global, m_globalEntries, width, height, (d[8] & 0x40) != 0, minSize);
    }
    const bool control = m_controlPending;
    m_controlPending = false;
    if (!frame) return true;  // skipped, the file goes on
    return appendFrame(frame, control && (m_control[0] & 1) ? m_control[3] : -1,
                       control ? readLe16(m_control + 1) * 10 : 0, control ? (m_control[0] >> 2) & 7 : 0,
                       readLe16(d), readLe16(d + 2));
}

bool Gif::joinSubBlocks(Reader* in) {
    m_dataSize = 0;
    for (uint8_t size = 0;;) {
        if (!in->byte(&size)) return false;
        if (size == 0) return true;
        if (m_dataSize + size > kMostCompressedBytes || !ensureBuffer(&m_data, &m_dataCapacity, m_dataSize + size)) {
            return false;
        }
        if (!in->bytes(m_data + m_dataSize, size)) return false;
        m_dataSize += size;
    }
}

Bitmap* Gif::frameOf(const uint8_t* table, int32_t entries, int32_t width, int32_t height, bool interlaced,
                     int32_t minSize) {
    const uint32_t pixels = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    if (minSize < 1 || minSize > 8 || !ensureBuffer(&m_pixels, &m_pixelCapacity, pixels)) return nullptr;
    Bitmap* frame = s::thread::Pool<Bitmap>::obtain();
    if (!frame) return nullptr;
    if (!frame->create(width, height, 8)) {
        frame->releaseToPool();
        return nullptr;
    }
    RGBQUAD* palette = frame->getPalette();
    for (int32_t k = 0; k < 256; ++k) {
        const bool inTable = k < entries;
        palette[k].rgbRed = inTable ? table[3 * k] : 0;
        palette[k].rgbGreen = inTable ? table[3 * k + 1] : 0;
        palette[k].rgbBlue = inTable ? table[3 * k + 2] : 0;
        palette[k].rgbReserved = 0;
    }
    m_lzw.decode(m_data, m_dataSize, minSize, m_pixels, width, height, interlaced);
    for (int32_t i = 0; i < height; ++i) std::memcpy(frame->getRow(i), m_pixels + static_cast<size_t>(i) * width, width);
    return frame;
}

bool Gif::appendFrame(Bitmap* frame, int32_t transparent, int32_t delayMs, int32_t disposal, int32_t left,
                      int32_t top) {
    if (!frame) return false;
    if (m_count == m_capacity) {
        const int32_t capacity = m_capacity ? (m_capacity * 2 < kMostFrames ? m_capacity * 2 : kMostFrames) : 8;
        Frame* grown = m_count < kMostFrames ? new (std::nothrow) Frame[capacity] : nullptr;
        if (!grown) {
            frame->releaseToPool();
            return false;
        }
        if (m_count) std::memcpy(grown, m_frames, sizeof(Frame) * m_count);
        delete[] m_frames;
        m_frames = grown;
        m_capacity = capacity;
    }
    m_frames[m_count++] = Frame{frame, transparent, delayMs, disposal, left, top};
    return true;
}

bool Gif::ensureBuffer(uint8_t** buffer, uint32_t* capacity, uint32_t size) {
    if (size <= *capacity) return true;
    const uint32_t wanted = size + size / 2 + 16;
    uint8_t* grown = new (std::nothrow) uint8_t[wanted];
    if (!grown) return false;
    if (*buffer) std::memcpy(grown, *buffer, *capacity);
    delete[] *buffer;
    *buffer = grown;
    *capacity = wanted;
    return true;
}

bool Gif::create(int32_t width, int32_t height, int32_t depth) {
    releaseFrames();
    const int32_t bits = storeDepthOf(depth);
    if (bits == 0 || !s::image::isDecodableSize(width, height)) return false;
    Bitmap* frame = s::thread::Pool<Bitmap>::obtain();
    if (frame && !frame->create(width, height, bits)) {
        frame->releaseToPool();
        frame = nullptr;
    }
    return frame && appendFrame(frame, -1, 0, 0);
}

bool Gif::addFrameFromImage(const s::image::win::BufferedImage* image, int32_t depth, bool keepTransparency,
                            uint8_t red, uint8_t green, uint8_t blue, uint8_t alphaThreshold) {
    if (!image || image->getWidth() <= 0 || image->getHeight() <= 0) return false;
    depth = depth < 1 ? 1 : (depth > 8 ? 8 : depth);
    const int32_t colours = (1 << depth) - 1;
    if (!image->hasAlpha()) return mapFrame(image, colours, -1);
    s::image::win::BufferedImage* flat = nullptr;
    if (keepTransparency) {
        flat = image->copy(nullptr);
        if (flat) {
            flat->thresholdAlpha(alphaThreshold);
            flat->fillTransparent(red, green, blue);
        }
    } else {
        flat = s::image::win::newBufferedImage(image->getWidth(), image->getHeight());
        if (flat) {
            flat->fill(255, red, green, blue);
            flat->drawImage(0, 0, image, 0, 0);
            flat->setHasAlpha(false);
        }
    }
    if (!flat || flat->getWidth() != image->getWidth()) {
        if (flat) flat->releaseToPool();
        return false;
    }
    const bool done = mapFrame(flat, colours, keepTransparency ? colours : -1);
    flat->releaseToPool();
    return done;
}

bool Gif::mapFrame(const s::image::win::BufferedImage* image, int32_t colours, int32_t transparent) {
    s::image::filters::reduction::Quantizer* quantizer =
        s::thread::Pool<s::image::filters::reduction::Quantizer>::obtain();
    Bitmap* frame = s::thread::Pool<Bitmap>::obtain();
    const bool made = quantizer && frame && frame->create(image->getWidth(), image->getHeight(), 8);
    if (made) {
        quantizer->buildOctree(image, static_cast<uint32_t>(colours));
        RGBQUAD* palette = frame->getPalette();
        const uint8_t* entries = quantizer->palette();
        for (int32_t k = 0; k < 256; ++k) {
            const bool used = k < colours;
            palette[k].rgbBlue = used ? entries[4 * k] : 0;
            palette[k].rgbGreen = used ? entries[4 * k + 1] : 0;
            palette[k].rgbRed = used ? entries[4 * k + 2] : 0;
            palette[k].rgbReserved = 0;
        }
        for (int32_t i = 0; i < image->getHeight(); ++i) {
            quantizer->mapToPalette(image->getRow(i), image->getWidth(), frame->getRow(i), 8);
        }
    }
    if (quantizer) quantizer->releaseToPool();
    if (!made) {
        if (frame) frame->releaseToPool();
        return false;
    }
    return appendFrame(frame, transparent, 0, 0);
}

bool Gif::fromBitmapHandle(HBITMAP bitmap) {
    if (m_count == 1) return m_frames[0].bitmap->fromBitmapHandle(bitmap);
    releaseFrames();
    Bitmap* frame = s::thread::Pool<Bitmap>::obtain();
    if (frame && !frame->fromBitmapHandle(bitmap)) {
        frame->releaseToPool();
        frame = nullptr;
    }
    return frame && appendFrame(frame, -1, 0, 0);
}

bool Gif::hasTransparency() const {
    for (int32_t i = 0; i < m_count; ++i) {
        if (m_frames[i].transparent != -1) return true;
    }
    return false;
}

bool Gif::blitTo(HBITMAP target) const { return m_count && m_frames[0].bitmap->blitTo(target); }

int32_t Gif::getBitDepth() const { return m_count ? m_frames[0].bitmap->getBitDepth() : 0; }

int32_t Gif::getWidth() const { return m_count ? m_frames[0].bitmap->getWidth() : 0; }

int32_t Gif::getHeight() const { return m_count ? m_frames[0].bitmap->getHeight() : 0; }

const Bitmap* Gif::frame(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].bitmap : nullptr; }

int32_t Gif::transparentIndex(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].transparent : -1; }

int32_t Gif::delay(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].delay : 0; }

int32_t Gif::disposal(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].disposal : 0; }

int32_t Gif::frameLeft(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].left : 0; }

int32_t Gif::frameTop(int32_t i) const { return i >= 0 && i < m_count ? m_frames[i].top : 0; }

s::image::win::BufferedImage* Gif::toBufferedImage(int32_t i, s::image::win::BufferedImage* target) const {
    const Bitmap* bitmap = frame(i);
    if (!bitmap) return nullptr;
    s::image::win::BufferedImage* image = bitmap->toBufferedImage(0, target);
    if (!image) return nullptr;
    const int32_t transparent = m_frames[i].transparent;
    bool any = false;
    const int32_t bits = bitmap->getBitDepth();
    for (int32_t y = 0; transparent >= 0 && isFrameDepth(bits) && y < image->getHeight(); ++y) {
        const uint8_t* indices = bitmap->getRow(y);
        uint32_t* row = image->getRow(y);
        for (int32_t x = 0; x < image->getWidth(); ++x) {
            if (indexAt(indices, x, bits) != transparent) continue;
            row[x] &= 0x00FFFFFFu;
            any = true;
        }
    }
    image->setHasAlpha(any);
    return image;
}

bool Gif::encode(s::io::IOutputStream* out) const {
    if (!out || m_count == 0) return false;
    int32_t width = 0, height = 0;  // so that no frame lies outside the screen
    for (int32_t i = 0; i < m_count; ++i) {
        const Frame& f = m_frames[i];
        if (f.left + f.bitmap->getWidth() > width) width = f.left + f.bitmap->getWidth();
        if (f.top + f.bitmap->getHeight() > height) height = f.top + f.bitmap->getHeight();
    }
    if (width > 0xFFFF || height > 0xFFFF) return false;
    // A frame the format cannot hold (a store of another depth, taken from a bitmap handle)
    // is refused before a byte is written: no half file.
    for (int32_t i = 0; i < m_count; ++i) {
        if (!isFrameDepth(m_frames[i].bitmap->getBitDepth())) return false;
    }
    // The colour resolution and table size fields are frame 0's depth; there is no global table.
    const uint8_t depthBits = static_cast<uint8_t>(m_frames[0].bitmap->getBitDepth() - 1);
    const uint8_t header[13] = {'G', 'I', 'F', '8', '9', 'a', static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
                                static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8),
                                static_cast<uint8_t>(depthBits | depthBits << 4), 0, 0};
    const uint8_t loop[19] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01,
                              static_cast<uint8_t>(m_loopCount), static_cast<uint8_t>(m_loopCount >> 8), 0x00};
    if (!put(out, header, 13) || !put(out, loop, 19)) return false;
    for (int32_t i = 0; i < m_count; ++i) {
        if (!encodeFrame(out, m_frames[i])) return false;
    }
    const uint8_t trailer = 0x3B;
    return put(out, &trailer, 1);
}

bool Gif::encodeFrame(s::io::IOutputStream* out, const Frame& f) const {
    const Bitmap* b = f.bitmap;
    const int32_t width = b->getWidth(), height = b->getHeight(), bits = b->getBitDepth();
    if (!isFrameDepth(bits) || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return false;
    const int32_t left = f.left, top = f.top;
    const int32_t delay = f.delay / 10;
    const uint8_t control[8] = {0x21, 0xF9, 0x04, static_cast<uint8_t>((f.transparent != -1 ? 1 : 0) | (f.disposal & 7) << 2),
                                static_cast<uint8_t>(delay), static_cast<uint8_t>(delay >> 8),
                                static_cast<uint8_t>(f.transparent), 0x00};
    const uint8_t descriptor[10] = {0x2C, static_cast<uint8_t>(left), static_cast<uint8_t>(left >> 8),
                                    static_cast<uint8_t>(top), static_cast<uint8_t>(top >> 8),
                                    static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
                                    static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8),
                                    static_cast<uint8_t>(0x80 | (bits - 1))};
    const int32_t entries = 1 << bits;
    uint8_t table[256 * 3];
    const RGBQUAD* palette = b->getPalette();
    for (int32_t k = 0; k < entries; ++k) {
        table[3 * k] = palette[k].rgbRed;
        table[3 * k + 1] = palette[k].rgbGreen;
        table[3 * k + 2] = palette[k].rgbBlue;
    }
    const uint8_t minSize = static_cast<uint8_t>(bits < 2 ? 2 : bits), terminator = 0;
    if (!put(out, control, 8) || !put(out, descriptor, 10) || !put(out, table, 3 * entries) || !put(out, &minSize, 1)) {
        return false;
    }
    return encodeIndices(&m_lzw, b, minSize, out) && put(out, &terminator, 1);
}

void Gif::releaseFrames() {
    for (int32_t i = 0; i < m_count; ++i) m_frames[i].bitmap->releaseToPool();
    m_count = 0;
}

s::base::IObject* Gif::newInstance() const { return s::thread::Pool<Gif>::obtain(); }

void Gif::releaseToPool() { s::thread::Pool<Gif>::release(this); }

void Gif::resetForReuse() {
    releaseFrames();
    std::memset(m_screen, 0, sizeof m_screen);
    m_globalEntries = 0;
    m_controlPending = false;
    m_dataSize = 0;
    m_loopCount = 1;
    m_depth = 0;
    m_lzw.resetForReuse();
}

// Frames from other writers are often sub-rectangles of the screen: each is placed where the
// file puts it, on a canvas as large as the screen and every frame, with a transparent margin.
s::image::win::BufferedImageSet* Gif::toImageSet() const {
    int32_t width = screenWidth(), height = screenHeight();
    for (int32_t i = 0; i < m_count; ++i) {
        const Frame& f = m_frames[i];
        if (f.left + f.bitmap->getWidth() > width) width = f.left + f.bitmap->getWidth();
        if (f.top + f.bitmap->getHeight() > height) height = f.top + f.bitmap->getHeight();
    }
    s::image::win::BufferedImageSet* set = s::thread::Pool<s::image::win::BufferedImageSet>::obtain();
    if (!set) return nullptr;
    for (int32_t i = 0; i < m_count; ++i) {
        const Frame& f = m_frames[i];
        s::image::win::BufferedImage* image = toBufferedImage(i, nullptr);
        const bool whole = image && image->getWidth() == width && image->getHeight() == height;
        if (image && !whole) {
            s::image::win::BufferedImage* canvas = s::image::win::newBufferedImage(width, height);
            if (canvas && canvas->getWidth() == width) {
                canvas->fill(0, 0, 0, 0);
                image->setHasAlpha(false);  // copied raw: transparent pixels stay transparent
                canvas->drawImage(f.left, f.top, image, 0, 0);
                canvas->setHasAlpha(true);
            } else if (canvas) {
                canvas->releaseToPool();
                canvas = nullptr;
            }
            image->releaseToPool();
            image = canvas;
        }
        if (!set->add(image, f.bitmap->getBitDepth(), f.delay, f.disposal)) {
            set->releaseToPool();
            return nullptr;
        }
    }
    if (m_count > 0) set->setAnimation(true, m_loopCount);
    return set;
}

bool Gif::fromImageSetWithSettings(const s::image::win::BufferedImageSet* set, int32_t depth, bool keepTransparency,
                                   uint8_t red, uint8_t green, uint8_t blue) {
    if (!set || set->getCount() == 0) return false;
    if (set->getCount() == 1 || !set->isAnimated()) {
        return addFrameFromImage(set->getBestImage(), depth, keepTransparency, red, green, blue, 96);
    }
    m_loopCount = set->getLoopCount();
    const int32_t first = m_count;
    s::image::win::BufferedImage* composite = nullptr;
    bool ok = true;
    for (int32_t i = 0; ok && i < set->getCount(); ++i) {
        const s::image::win::BufferedImage* image = set->getImage(i);
        if (i == 0) {
            ok = addFrameFromImage(image, depth, keepTransparency, red, green, blue, 96) &&
                 (composite = image->copy(nullptr)) != nullptr;
            if (ok) m_frames[m_count - 1].disposal = set->getDisposal(0);
        } else {
            s::image::win::BufferedImage* drawn = composite->copy(nullptr);
            s::image::win::BufferedImage* delta = nullptr;
            if (drawn) {
                drawn->drawImage(0, 0, image, 0, 0);
                delta = drawn->copy(nullptr);
            }
            if (delta) delta->maskEqualPixels(composite);
            ok = delta && addFrameFromImage(delta, depth, true, red, green, blue, 96);
            if (ok) m_frames[m_count - 1].disposal = 1;
            if (delta) delta->releaseToPool();
            composite->releaseToPool();
            composite = drawn;
            ok = ok && composite;
        }
        if (ok) m_frames[m_count - 1].delay = set->getDelay(i);
    }
    if (composite) composite->releaseToPool();
    if (!ok) {  // no half-made animation: the frames this call added go again
        while (m_count > first) m_frames[--m_count].bitmap->releaseToPool();
    }
    return ok;
}

// The frames' searches: a frame's depth is its store's.
bool Gif::findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        const Bitmap* b = m_frames[i].bitmap;
        return s::image::ImageShape{b->getWidth(), b->getHeight(), b->getBitDepth()};
    };
    return s::image::findExactShape(m_count, at, width, height, depth, index);
}

bool Gif::findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        const Bitmap* b = m_frames[i].bitmap;
        return s::image::ImageShape{b->getWidth(), b->getHeight(), b->getBitDepth()};
    };
    return s::image::findNearestShape(m_count, at, width, height, depth, true, index);
}

bool Gif::findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        const Bitmap* b = m_frames[i].bitmap;
        return s::image::ImageShape{b->getWidth(), b->getHeight(), b->getBitDepth()};
    };
    return s::image::findNearestShape(m_count, at, width, height, depth, false, index);
}

// This Gif's depth is that of the last colour table read; 8 when none was.
s::image::IEncodedImage* Gif::newFromImage(s::image::win::BufferedImage* image) const {
    s::image::gif::EncodeSetting* setting = s::thread::Pool<s::image::gif::EncodeSetting>::obtain();
    if (!setting) return nullptr;
    setting->setKeepTransparency(true);
    setting->setBpp(m_depth > 0 ? m_depth : 8);
    s::image::IEncodedImage* made = setting->encodeImage(image);
    setting->releaseToPool();
    return made;
}

s::image::IEncodedImage* Gif::newFromImageSet(const s::image::win::BufferedImageSet* set) const {
    if (!set) return nullptr;
    s::image::gif::EncodeSetting* setting = s::thread::Pool<s::image::gif::EncodeSetting>::obtain();
    if (!setting) return nullptr;
    setting->setKeepTransparency(true);
    setting->setBpp(m_depth > 0 ? m_depth : 8);
    s::image::IEncodedImage* made = setting->encodeImageSet(set);
    setting->releaseToPool();
    return made;
}

Gif* newGifFromImageSet(const s::image::win::BufferedImageSet* set, int32_t depth, bool keepTransparency, uint8_t red,
                        uint8_t green, uint8_t blue) {
    Gif* gif = s::thread::Pool<Gif>::obtain();
    if (gif && !gif->fromImageSetWithSettings(set, depth, keepTransparency, red, green, blue)) {
        gif->releaseToPool();
        return nullptr;
    }
    return gif;
}

Gif* newGifFromImage(const s::image::win::BufferedImage* image, int32_t depth, bool keepTransparency, uint8_t red,
                     uint8_t green, uint8_t blue) {
    Gif* gif = s::thread::Pool<Gif>::obtain();
    if (gif && !gif->addFrameFromImage(image, depth, keepTransparency, red, green, blue, 96)) {
        gif->releaseToPool();
        return nullptr;
    }
    return gif;
}

Gif* newGifFromArchive(s::archive::dll::win::Archive* archive, const wchar_t* type, const wchar_t* name) {
    Gif* gif = s::thread::Pool<Gif>::obtain();
    if (gif && !s::image::win::loadFromArchive(gif, archive, type, name)) {
        gif->releaseToPool();
        return nullptr;
    }
    return gif;
}

}  // namespace s::image::gif::win
