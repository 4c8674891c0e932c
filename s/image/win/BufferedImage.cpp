// s/image/win/BufferedImage.cpp
#include "s/image/win/BufferedImage.h"

#include <algorithm>
#include <cstring>

#include "s/image/ImageFiles.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/IFilter.h"
#include "s/image/filters/scale/ScaleImage.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/ImagePrinting.h"
#include "s/thread/Pool.h"

namespace s::image::win {

namespace {

uint32_t alphaOf(uint32_t p) { return p >> 24; }
uint32_t rgbOf(uint32_t p) { return p & 0xFFFFFFu; }
uint32_t pixel(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// One colour byte of the blend: d + ((s - d) * F >> 8) with an arithmetic shift.
uint32_t blendChannel(uint32_t s, uint32_t d, int32_t factor) {
    const int32_t diff = static_cast<int32_t>(s) - static_cast<int32_t>(d);
    return static_cast<uint32_t>(((diff * factor) >> 8) + static_cast<int32_t>(d)) & 0xFFu;
}

uint32_t blendPixel(uint32_t s, uint32_t d) {
    const uint32_t sa = alphaOf(s);
    const uint32_t da = alphaOf(d);
    if (sa == 0) return d;
    if (sa == 255 || da == 0) return s;
    const uint32_t a = sa + da - (((sa + 1) * da) >> 8);
    const int32_t f = static_cast<int32_t>((sa * 256) / a);
    return pixel(a, blendChannel(s >> 16 & 0xFF, d >> 16 & 0xFF, f),
                 blendChannel(s >> 8 & 0xFF, d >> 8 & 0xFF, f), blendChannel(s & 0xFF, d & 0xFF, f));
}

// A capacity dimension grown by factors of 1.2 (single precision, truncated) until it holds
// the request; an empty one starts at the request.
int32_t grown(int32_t current, int32_t wanted) {
    if (current >= wanted) return current;
    if (current <= 0) return wanted;
    float value = static_cast<float>(current);
    while (static_cast<int32_t>(value) < wanted) value *= 1.2f;
    return static_cast<int32_t>(value);
}

}  // namespace

HBITMAP BufferedImage::getBitmapHandle() const { return m_store ? m_store->getBitmapHandle() : nullptr; }

void BufferedImage::setSize(int32_t width, int32_t height) {
    if (width > m_capacityWidth || height > m_capacityHeight || width <= 0 || height <= 0) {
        width = height = 0;  // what the store cannot hold is an empty image, never a wild row
    }
    m_width = width;
    m_height = height;
    m_pixelCount = width * height;
    m_byteCount = m_pixelCount * 4;
    m_rowBytes = width * 4;
}

void BufferedImage::releaseStore() {
    if (m_store) m_store->releaseToPool();
    m_store = nullptr;
    m_bits = nullptr;
    m_capacityWidth = m_capacityHeight = m_capacityPixels = m_capacityBytes = m_stride = 0;
    setSize(0, 0);
}

// A new store of exactly width x height; false (and no store) when the section cannot be made.
bool BufferedImage::adoptStore(int32_t width, int32_t height) {
    s::image::bmp::win::Bitmap* store = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
    if (!store) return false;
    if (!store->create(width, height, 32)) {
        store->releaseToPool();
        return false;
    }
    m_store = store;
    m_bits = store->getBits();
    m_capacityWidth = width;
    m_capacityHeight = height;
    m_capacityPixels = width * height;
    m_capacityBytes = m_capacityPixels * 4;
    m_stride = store->getStride();
    return true;
}

void BufferedImage::create(int32_t width, int32_t height) {
    releaseStore();
    if (adoptStore(width, height)) setSize(width, height);
}

void BufferedImage::reserve(int32_t width, int32_t height) {
    if (width <= m_capacityWidth && height <= m_capacityHeight) return;
    s::image::bmp::win::Bitmap* old = m_store;
    uint8_t* oldBits = m_bits;
    const int32_t oldStride = m_stride, oldCapHeight = m_capacityHeight;
    const int32_t w = m_width, h = m_height, rowBytes = m_rowBytes;
    m_store = nullptr;
    if (!adoptStore(width, height)) {
        m_store = old;  // still empty afterwards: the convention for a failed allocation
        releaseStore();
        return;
    }
    // A new row narrower than the old picture takes only what fits.
    const int32_t copied = rowBytes < width * 4 ? rowBytes : width * 4;
    for (int32_t i = 0; i < h && i < height; ++i) {
        std::memcpy(getRow(i), oldBits + static_cast<intptr_t>(oldCapHeight - 1 - i) * oldStride, copied);
    }
    if (old) old->releaseToPool();
    setSize(w <= width ? w : 0, h <= height ? h : 0);
}

void BufferedImage::ensureSize(int32_t width, int32_t height) {
    if (width <= m_capacityWidth && height <= m_capacityHeight) return;
    reserve(grown(m_capacityWidth, width), grown(m_capacityHeight, height));
}

BufferedImage* BufferedImage::newImage(int32_t width, int32_t height) const {
    return newBufferedImage(width, height);
}

uint32_t* BufferedImage::getRow(int32_t i) const {
    if (!m_bits) return nullptr;
    return reinterpret_cast<uint32_t*>(m_bits + static_cast<intptr_t>(m_capacityHeight - 1 - i) * m_stride);
}

bool BufferedImage::drawTo(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, bool scale) const {
    if (scale) {
        const BufferedImage* scaled = scaledCopy(width, height, false);
        return scaled && scaled->drawTo(dc, x, y, width, height, false);
    }
    if (!m_store || !dc) return false;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return false;
    HGDIOBJ old = SelectObject(memory, getBitmapHandle());
    bool ok = false;
    if (old) {
        ok = BitBlt(dc, x, y, width < m_width ? width : m_width, height < m_height ? height : m_height,
                    memory, 0, 0, SRCCOPY) != 0;
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    return ok;
}

bool BufferedImage::drawToOrigin(HDC dc, int32_t width, int32_t height, bool scale) const {
    return drawTo(dc, 0, 0, width, height, scale);
}

void BufferedImage::drawImage(int32_t x, int32_t y, int32_t width, int32_t height, const BufferedImage* source,
                              int32_t sourceX, int32_t sourceY, bool scale) {
    if (scale && source) source = source->scaledCopy(width, height, false);
    drawImage(x, y, source, sourceX, sourceY);
}

BufferedImage* BufferedImage::scaledCopy(int32_t width, int32_t height, bool keepAspect) const {
    if (m_width <= 0 || m_height <= 0) return nullptr;
    if (keepAspect) {
        const double rx = static_cast<double>(width) / m_width, ry = static_cast<double>(height) / m_height;
        if (rx < ry) height = static_cast<int32_t>(m_height * rx);
        if (ry < rx) width = static_cast<int32_t>(m_width * ry);
    }
    if (width == m_width && height == m_height) return const_cast<BufferedImage*>(this);
    if (m_scaled && m_scaled->m_width == width && m_scaled->m_height == height) return m_scaled;
    if (!m_scaled) m_scaled = s::thread::Pool<BufferedImage>::obtain();
    if (!m_scaled) return nullptr;
    if (!s::image::filters::scale::scaleImage(m_width, m_height, this, width, height, m_scaled)) return nullptr;
    return m_scaled;
}

void BufferedImage::setScaledCache(BufferedImage* image) {
    if (m_scaled && m_scaled != image) m_scaled->releaseToPool();
    m_scaled = image;
}

bool BufferedImage::findFilter(const wchar_t* name, int32_t* index) const {
    for (size_t k = 0; k < m_filters.size(); ++k) {
        if (m_filters[k]->getName() != name) continue;
        if (index) *index = static_cast<int32_t>(k);
        return true;
    }
    return false;
}

s::image::filters::IFilter* BufferedImage::getFilter(int32_t index) const {
    return index >= 0 && index < getFilterCount() ? m_filters[index] : nullptr;
}

void BufferedImage::dropFilteredCache() {
    if (m_filtered) m_filtered->releaseToPool();
    m_filtered = nullptr;
}

void BufferedImage::dropFilter(s::image::filters::IFilter* filter) {
    if (filter && filter->isOwned()) filter->releaseToPool();
}

bool BufferedImage::addFilter(s::image::filters::IFilter* filter) {
    return setFilter(getFilterCount(), filter);
}

bool BufferedImage::setFilter(int32_t index, s::image::filters::IFilter* filter) {
    if (!filter || index < 0 || index > getFilterCount()) return false;
    dropFilteredCache();
    if (index < getFilterCount()) {
        // The replaced filter is released like a removed one: it would be lost otherwise.
        if (m_filters[index] != filter) dropFilter(m_filters[index]);
        m_filters[index] = filter;
        return true;
    }
    try {
        m_filters.push_back(filter);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void BufferedImage::removeFilter(int32_t index) {
    if (index < 0 || index >= getFilterCount()) return;
    dropFilteredCache();
    dropFilter(m_filters[index]);
    m_filters.erase(m_filters.begin() + index);
}

void BufferedImage::clearFilters() {
    dropFilteredCache();
    for (s::image::filters::IFilter* f : m_filters) dropFilter(f);
    m_filters.clear();
}

void BufferedImage::detachFilters() {
    dropFilteredCache();
    m_filters.clear();
}

BufferedImage* BufferedImage::applyFilters() {
    dropFilteredCache();
    const BufferedImage* source = this;
    BufferedImage* result = nullptr;
    for (s::image::filters::IFilter* f : m_filters) {
        BufferedImage* target = s::thread::Pool<BufferedImage>::obtain();
        BufferedImage* next = target ? f->apply(source, target) : nullptr;
        if (target && next != target) target->releaseToPool();
        if (result && result != next) result->releaseToPool();
        result = next;
        if (!result) return nullptr;
        source = result;
    }
    if (result) result->detectAlpha();
    m_filtered = result;
    return result;
}

BufferedImage* BufferedImage::getFilteredImage() { return m_filtered ? m_filtered : applyFilters(); }

bool BufferedImage::print(bool rotate, bool sharpen, bool fit) {
    const BufferedImage* shown = hasFilters() ? getFilteredImage() : this;
    return shown && printImage(shown, rotate, sharpen, fit, systemPrintSeams());
}

void BufferedImage::drawImage(int32_t x, int32_t y, const BufferedImage* source, int32_t sourceX,
                              int32_t sourceY) {
    if (!source || source == this) return;
    // Both negative offsets shift the other side, so no read or write falls before a row; in 64
    // bits, so that extreme offsets cannot wrap.
    int64_t tx = x, ty = y, sx = sourceX, sy = sourceY;
    if (tx < 0) { sx -= tx; tx = 0; }
    if (ty < 0) { sy -= ty; ty = 0; }
    if (sx < 0) { tx -= sx; sx = 0; }
    if (sy < 0) { ty -= sy; sy = 0; }
    const int64_t w = std::min<int64_t>(source->m_width - sx, m_width - tx);
    const int64_t h = std::min<int64_t>(source->m_height - sy, m_height - ty);
    if (w <= 0 || h <= 0) return;
    x = static_cast<int32_t>(tx);
    y = static_cast<int32_t>(ty);
    sourceX = static_cast<int32_t>(sx);
    sourceY = static_cast<int32_t>(sy);
    for (int32_t i = 0; i < h; ++i) {
        const uint32_t* s = source->getRow(sourceY + i) + sourceX;
        uint32_t* d = getRow(y + i) + x;
        if (!source->m_hasAlpha) {
            std::memcpy(d, s, static_cast<size_t>(w) * 4);
            continue;
        }
        for (int64_t j = 0; j < w; ++j) {
            const uint32_t target = m_hasAlpha ? d[j] : (d[j] | 0xFF000000u);
            d[j] = blendPixel(s[j], target);
        }
    }
}

// The given target emptied and sized, or a new pooled image; null when it cannot hold the size.
BufferedImage* BufferedImage::targetOf(BufferedImage* given, int32_t width, int32_t height) const {
    BufferedImage* target = given;
    if (target) {
        target->setSize(0, 0);
        target->reserve(width, height);
        target->setSize(width, height);
    } else {
        target = newBufferedImage(width, height);
    }
    if (!target) return nullptr;
    if (target->m_width != width || target->m_height != height) {
        if (!given) target->releaseToPool();
        return nullptr;
    }
    target->m_hasAlpha = m_hasAlpha;
    return target;
}

BufferedImage* BufferedImage::copy(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_width, m_height);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_height; ++i) std::memcpy(t->getRow(i), getRow(i), m_rowBytes);
    return t;
}

BufferedImage* BufferedImage::rotatedRight(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_height, m_width);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_width; ++i) {
        uint32_t* out = t->getRow(i);
        for (int32_t j = 0; j < m_height; ++j) out[j] = getRow(m_height - 1 - j)[i];
    }
    return t;
}

BufferedImage* BufferedImage::rotated180(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_width, m_height);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_height; ++i) {
        const uint32_t* in = getRow(m_height - 1 - i);
        uint32_t* out = t->getRow(i);
        for (int32_t j = 0; j < m_width; ++j) out[j] = in[m_width - 1 - j];
    }
    return t;
}

BufferedImage* BufferedImage::rotatedLeft(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_height, m_width);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_width; ++i) {
        uint32_t* out = t->getRow(i);
        for (int32_t j = 0; j < m_height; ++j) out[j] = getRow(j)[m_width - 1 - i];
    }
    return t;
}

BufferedImage* BufferedImage::mirrored(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_width, m_height);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_height; ++i) {
        const uint32_t* in = getRow(i);
        uint32_t* out = t->getRow(i);
        for (int32_t j = 0; j < m_width; ++j) out[j] = in[m_width - 1 - j];
    }
    return t;
}

BufferedImage* BufferedImage::flipped(BufferedImage* target) const {
    BufferedImage* t = targetOf(target, m_width, m_height);
    if (!t) return nullptr;
    for (int32_t i = 0; i < m_height; ++i) std::memcpy(t->getRow(i), getRow(m_height - 1 - i), m_rowBytes);
    return t;
}

bool BufferedImage::saveBmp(s::io::IOutputStream* out, int32_t depth, bool keepTransparency,
                            uint8_t red, uint8_t green, uint8_t blue) const {
    s::image::bmp::win::Bitmap* bmp = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
    if (!bmp) return false;
    const bool ok = bmp->fromImageWithSettings(this, depth, keepTransparency, red, green, blue) &&
                    bmp->encode(out);
    bmp->releaseToPool();
    return ok;
}

bool BufferedImage::saveBmpToPath(const wchar_t* path, int32_t depth, bool keepTransparency, uint8_t red,
                                  uint8_t green, uint8_t blue) const {
    return s::image::withPathText(path, [&](s::file::IPath* p) {
        return s::image::writeToPath(p, false, [&](s::io::IOutputStream* out) {
            return saveBmp(out, depth, keepTransparency, red, green, blue);
        });
    });
}

bool BufferedImage::saveGif(s::io::IOutputStream* out, int32_t depth, bool keepTransparency, uint8_t red,
                            uint8_t green, uint8_t blue) const {
    s::image::gif::win::Gif* gif = s::image::gif::win::newGifFromImage(this, depth, keepTransparency, red, green, blue);
    const bool ok = gif && gif->encode(out);
    if (gif) gif->releaseToPool();
    return ok;
}

bool BufferedImage::saveGifToPath(const wchar_t* path, int32_t depth, bool keepTransparency, uint8_t red,
                                  uint8_t green, uint8_t blue) const {
    return s::image::withPathText(path, [&](s::file::IPath* p) {
        return s::image::writeToPath(p, false, [&](s::io::IOutputStream* out) {
            return saveGif(out, depth, keepTransparency, red, green, blue);
        });
    });
}

bool BufferedImage::saveJpeg(s::io::IOutputStream* out, int32_t quality, uint8_t red, uint8_t green,
                             uint8_t blue) const {
    s::image::jpg::win::Jpeg* jpeg = s::image::jpg::win::newJpegFromImage(this, quality, red, green, blue);
    const bool ok = jpeg && jpeg->encode(out);
    if (jpeg) jpeg->releaseToPool();
    return ok;
}

bool BufferedImage::saveJpegToPath(const wchar_t* path, int32_t quality, uint8_t red, uint8_t green,
                                   uint8_t blue) const {
    return s::image::withPathText(path, [&](s::file::IPath* p) {
        return s::image::writeToPath(p, false, [&](s::io::IOutputStream* out) {
            return saveJpeg(out, quality, red, green, blue);
        });
    });
}

bool BufferedImage::savePng(s::io::IOutputStream* out, bool keepTransparency, bool interlace, uint8_t red,
                            uint8_t green, uint8_t blue) const {
    s::image::png::win::Png* png = s::image::png::win::newPngFromImage(this, interlace, keepTransparency, red, green, blue);
    const bool ok = png && png->encode(out);
    if (png) png->releaseToPool();
    return ok;
}

bool BufferedImage::savePngToPath(const wchar_t* path, bool keepTransparency, bool interlace, uint8_t red,
                                  uint8_t green, uint8_t blue) const {
    return s::image::withPathText(path, [&](s::file::IPath* p) {
        return s::image::writeToPath(p, false, [&](s::io::IOutputStream* out) {
            return savePng(out, keepTransparency, interlace, red, green, blue);
        });
    });
}

void BufferedImage::fill(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
    const uint32_t value = pixel(alpha, red, green, blue);
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) row[j] = value;
    }
    m_hasAlpha = alpha != 255;
}

void BufferedImage::makeOpaque() {
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) row[j] |= 0xFF000000u;
    }
    m_hasAlpha = false;
}

void BufferedImage::colorToTransparent(uint8_t red, uint8_t green, uint8_t blue) {
    const uint32_t key = pixel(0, red, green, blue);
    bool any = false;
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            const bool match = rgbOf(row[j]) == key;
            row[j] = match ? rgbOf(row[j]) : (row[j] | 0xFF000000u);
            any = any || match;
        }
    }
    if (any) m_hasAlpha = true;
}

void BufferedImage::fillTransparent(uint8_t red, uint8_t green, uint8_t blue) {
    if (!m_hasAlpha) return;
    const uint32_t value = pixel(0, red, green, blue);
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            if (alphaOf(row[j]) == 0) row[j] = value;
        }
    }
}

void BufferedImage::maskEqualPixels(const BufferedImage* other) {
    if (!other || other->m_width != m_width || other->m_height != m_height) return;
    bool any = false;
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        const uint32_t* o = other->getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            if (rgbOf(row[j]) != rgbOf(o[j])) continue;
            row[j] = rgbOf(row[j]);
            any = true;
        }
    }
    if (any) m_hasAlpha = true;
}

void BufferedImage::thresholdAlpha(uint8_t level) {
    bool any = false;
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            const bool clear = alphaOf(row[j]) < level;
            row[j] = clear ? rgbOf(row[j]) : (row[j] | 0xFF000000u);
            any = any || clear;
        }
    }
    m_hasAlpha = any;
}

void BufferedImage::flattenOnWhite() {
    if (!m_hasAlpha) return;
    for (int32_t i = 0; i < m_height; ++i) {
        uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            const uint32_t a = alphaOf(row[j]);
            if (a == 255) continue;
            if (a == 0) {
                row[j] = 0xFFFFFFFFu;
                continue;
            }
            auto flat = [a](uint32_t c) { return (c * (a + 1) + 255 * (256 - a)) >> 8; };
            row[j] = pixel(255, flat(row[j] >> 16 & 0xFF), flat(row[j] >> 8 & 0xFF), flat(row[j] & 0xFF));
        }
    }
    m_hasAlpha = false;
}

void BufferedImage::detectAlpha() {
    for (int32_t i = 0; i < m_height; ++i) {
        const uint32_t* row = getRow(i);
        for (int32_t j = 0; j < m_width; ++j) {
            if (alphaOf(row[j]) < 255) {
                m_hasAlpha = true;
                return;
            }
        }
    }
    m_hasAlpha = false;
}

s::base::IObject* BufferedImage::newInstance() const { return s::thread::Pool<BufferedImage>::obtain(); }

void BufferedImage::releaseToPool() { s::thread::Pool<BufferedImage>::release(this); }

void BufferedImage::resetForReuse() {
    releaseStore();
    m_hasAlpha = false;
    setScaledCache(nullptr);
    clearFilters();
}

BufferedImage::~BufferedImage() {
    resetForReuse();
}

BufferedImage* newBufferedImage(int32_t width, int32_t height) {
    BufferedImage* image = s::thread::Pool<BufferedImage>::obtain();
    if (image) image->create(width, height);
    return image;
}

}  // namespace s::image::win
