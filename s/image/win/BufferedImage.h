// s/image/win/BufferedImage.h
//
// The one in-memory picture: 32-bit pixels (A << 24 | R << 16 | G << 8 | B) on a bottom-up DIB
// section (a pooled Bitmap it owns), the logical image in the top-left corner of a store that
// may be larger. One thread at a time. A store that cannot be made leaves an empty 0 x 0 image
// whose operations do nothing. With the alpha flag off every pixel counts as opaque.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "s/image/IBufferedImage.h"

namespace s::file {
class IPath;
}  // namespace s::file
namespace s::image::filters {
class IFilter;
}  // namespace s::image::filters
namespace s::io {
class IOutputStream;
}  // namespace s::io
namespace s::image::bmp::win {
class Bitmap;
}  // namespace s::image::bmp::win

namespace s::image::win {

class BufferedImage final : public s::image::IBufferedImage {
public:
    BufferedImage() = default;
    ~BufferedImage() override;
    BufferedImage(const BufferedImage&) = delete;
    BufferedImage& operator=(const BufferedImage&) = delete;

    // IBufferedImage
    bool isBuffered() const override { return true; }
    HBITMAP getBitmapHandle() const override;
    void setSize(int32_t width, int32_t height) override;
    void reserve(int32_t width, int32_t height) override;
    void create(int32_t width, int32_t height) override;
    BufferedImage* newImage(int32_t width, int32_t height) const override;
    int32_t getRowBytes() const override { return m_rowBytes; }
    int32_t getCapacityWidth() const override { return m_capacityWidth; }
    int32_t getCapacityHeight() const override { return m_capacityHeight; }
    int32_t getStride() const override { return m_stride; }
    uint32_t* getRow(int32_t i) const override;
    uint8_t* getBits() const override { return m_bits; }
    bool hasAlpha() const override { return m_hasAlpha; }
    void setHasAlpha(bool flag) override { m_hasAlpha = flag; }

    s::image::bmp::win::Bitmap* pixelStore() const { return m_store; }

    // drawing: raw B, G, R bytes to a device context, clipped to the drawn image's size; with
    // scale, the scaled copy of width x height is drawn
    bool drawTo(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, bool scale = false) const;
    bool drawToOrigin(HDC dc, int32_t width, int32_t height, bool scale = false) const;
    // source over this image at (x, y), alpha-blended when the source has its alpha flag
    void drawImage(int32_t x, int32_t y, const BufferedImage* source, int32_t sourceX,
                   int32_t sourceY);
    // the same, the source first scaled to width x height when scale is set
    void drawImage(int32_t x, int32_t y, int32_t width, int32_t height, const BufferedImage* source,
                   int32_t sourceX, int32_t sourceY, bool scale);

    // This image at width x height (with keepAspect the smaller ratio wins), by the triangle
    // filter: this image itself at its own size, else the scaled cache, kept on the size alone
    // until replaced or reset (it is not refreshed when the pixels change). Owned by this image;
    // null when it cannot be made.
    BufferedImage* scaledCopy(int32_t width, int32_t height, bool keepAspect) const;
    BufferedImage* getScaledCache() const { return m_scaled; }
    void setScaledCache(BufferedImage* image);  // takes it; the old one goes back to its pool

    // Filters, run in order by applyFilters. The image releases an owned filter whenever it
    // drops it (removed, replaced or cleared); detachFilters releases none.
    bool hasFilters() const { return !m_filters.empty(); }
    bool findFilter(const wchar_t* name, int32_t* index) const;  // by the identity of the name
    int32_t getFilterCount() const { return static_cast<int32_t>(m_filters.size()); }
    s::image::filters::IFilter* getFilter(int32_t index) const;
    bool addFilter(s::image::filters::IFilter* filter);
    bool setFilter(int32_t index, s::image::filters::IFilter* filter);  // index == count appends
    void removeFilter(int32_t index);
    void clearFilters();
    void detachFilters();
    // The filters' result (the filtered cache, owned by this image), alpha flag detected; null
    // when a filter gives none.
    BufferedImage* applyFilters();
    BufferedImage* getFilteredImage();

    // This image (its filtered image when it has filters) on one page of the default
    // printer, after the print dialog; with fit, or when it is larger than the page, turned a
    // quarter clockwise first when rotate is set and it is wider than high, then scaled into
    // the page; sharpened by 80 with sharpen; flattened on white. False when nothing printed.
    bool print(bool rotate, bool sharpen, bool fit);

    // copies: into target (re-sized) or, when none, a new pooled image; null on failure
    BufferedImage* copy(BufferedImage* target) const;
    BufferedImage* rotatedRight(BufferedImage* target) const;
    BufferedImage* rotated180(BufferedImage* target) const;
    BufferedImage* rotatedLeft(BufferedImage* target) const;
    BufferedImage* mirrored(BufferedImage* target) const;
    BufferedImage* flipped(BufferedImage* target) const;

    // Saving through each format's settings; the ...ToPath forms open (and empty) the file.
    bool saveBmp(s::io::IOutputStream* out, int32_t depth, bool keepTransparency, uint8_t red,
                 uint8_t green, uint8_t blue) const;
    bool saveBmpToPath(const wchar_t* path, int32_t depth, bool keepTransparency, uint8_t red, uint8_t green,
                       uint8_t blue) const;
    bool saveGif(s::io::IOutputStream* out, int32_t depth, bool keepTransparency, uint8_t red, uint8_t green,
                 uint8_t blue) const;
    bool saveGifToPath(const wchar_t* path, int32_t depth, bool keepTransparency, uint8_t red, uint8_t green,
                       uint8_t blue) const;
    bool saveJpeg(s::io::IOutputStream* out, int32_t quality, uint8_t red, uint8_t green, uint8_t blue) const;
    bool saveJpegToPath(const wchar_t* path, int32_t quality, uint8_t red, uint8_t green, uint8_t blue) const;
    bool savePng(s::io::IOutputStream* out, bool keepTransparency, bool interlace, uint8_t red, uint8_t green,
                 uint8_t blue) const;
    bool savePngToPath(const wchar_t* path, bool keepTransparency, bool interlace, uint8_t red, uint8_t green,
                       uint8_t blue) const;

    // pixel operations over the logical image
    void ensureSize(int32_t width, int32_t height);
    void fill(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue);
    void makeOpaque();
    void colorToTransparent(uint8_t red, uint8_t green, uint8_t blue);
    void fillTransparent(uint8_t red, uint8_t green, uint8_t blue);
    void maskEqualPixels(const BufferedImage* other);
    void thresholdAlpha(uint8_t level);
    void flattenOnWhite();
    void detectAlpha();

    // IImage
    int32_t getWidth() const override { return m_width; }
    int32_t getHeight() const override { return m_height; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_win_BufferedImage"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    BufferedImage* targetOf(BufferedImage* given, int32_t width, int32_t height) const;
    void releaseStore();
    bool adoptStore(int32_t width, int32_t height);
    void dropFilteredCache();
    void dropFilter(s::image::filters::IFilter* filter);

    s::image::bmp::win::Bitmap* m_store = nullptr;
    uint8_t* m_bits = nullptr;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_pixelCount = 0;
    int32_t m_byteCount = 0;
    int32_t m_rowBytes = 0;
    int32_t m_capacityWidth = 0;
    int32_t m_capacityHeight = 0;
    int32_t m_capacityPixels = 0;
    int32_t m_capacityBytes = 0;
    int32_t m_stride = 0;
    bool m_hasAlpha = false;
    mutable BufferedImage* m_scaled = nullptr;
    std::vector<s::image::filters::IFilter*> m_filters;
    BufferedImage* m_filtered = nullptr;
};

// A pooled image created at that size (empty when it cannot be made); null without a pool.
BufferedImage* newBufferedImage(int32_t width, int32_t height);

}  // namespace s::image::win
