// s/image/ico/win/IconImage.h
//
// One image of an icon: the colour picture (a pooled Bitmap it owns), the 1-bit transparency
// mask (rows bottom-up, a set bit is transparent) and the entry's bytes as last read, which
// toIcon hands to Windows unchanged. Entries are a header-less DIB with its mask, or a PNG
// stream. One thread at a time. Every size, count and offset is checked against the bytes
// present: a bad entry leaves the empty state and false.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/image/EncodedImage.h"

namespace s::col::_array {
class ArrayU08;
}  // namespace s::col::_array
namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::image::bmp::win {
class Bitmap;
}  // namespace s::image::bmp::win
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::image::ico::win {

class IconImage final : public s::image::EncodedImage {
public:
    IconImage();
    ~IconImage() override;
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;

    // A new colour picture and a clear mask (nothing transparent); false leaves it empty.
    bool create(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    // 4 and 8 bits through the quantizer (the highest index black, for the transparent
    // pixels), 16 and 24 through GDI, 32 by rows. With keepTransparency below 32 bits alpha
    // under 32 becomes transparent; without it the picture is flattened on the background.
    bool fromImageWithSettings(const s::image::win::BufferedImage* image, int32_t bitsPerPixel,
                               bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue);

    // attributes
    const wchar_t* getExtension() const override { return L".ico"; }
    s::image::bmp::win::Bitmap* colorImage() const { return m_store; }
    int32_t getBitDepth() const override;
    bool is32Bit() const { return getBitDepth() == 32; }
    bool hasPalette() const;
    int32_t getPaletteCount() const;
    int32_t getPaletteBytes() const;
    uint8_t* getRow(int32_t i) const;  // row 0 is the top
    uint8_t* getBits() const;
    int32_t getStride() const;
    uint8_t* getMaskRow(int32_t i) const;  // row 0 is the top
    uint8_t* getMaskBits() const { return m_mask; }
    int32_t getMaskStride() const { return m_maskStride; }
    bool isMasked(int32_t x, int32_t y) const;

    // operations
    bool blitTo(HBITMAP target) const;
    // Wider or taller than 255: a PNG stream; otherwise the DIB with its mask.
    bool encode(s::io::IOutputStream* out) const override;
    // The entry's bytes; bytes that start with an icon directory give its first entry.
    bool decode(s::io::IInputStream* in) override;
    HICON toIcon();  // the caller owns the handle; null when Windows refuses the bytes
    // Alpha from a 32-bit picture's own alpha when it has any, else from the mask.
    s::image::win::BufferedImage* toBufferedImage(int32_t index,
                                                  s::image::win::BufferedImage* target) const override;
    // Icons hold several pictures in their files, though this codec holds one.
    bool isMultiImage() const override { return true; }
    // Icons are not made from images this way: none.
    s::image::IEncodedImage* newFromImage(s::image::win::BufferedImage*) const override { return nullptr; }

    // IImage
    int32_t getWidth() const override;
    int32_t getHeight() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_ico_win_IconImage"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool decodeEntry(const uint8_t* bytes, uint32_t size);
    bool decodePng(const uint8_t* bytes, uint32_t size);
    bool decodeDib(const uint8_t* bytes, uint32_t size);
    bool makeImage(int32_t width, int32_t height, int32_t bitsPerPixel);  // keeps the bytes
    bool makeMask(int32_t width, int32_t height);
    void freeMask();
    bool writeDib(s::io::IOutputStream* out) const;
    void quantizeFrom(const s::image::win::BufferedImage* source, int32_t bitsPerPixel);
    void maskFrom(const s::image::win::BufferedImage* source);
    void applyMaskTo(s::image::win::BufferedImage* image) const;

    s::image::bmp::win::Bitmap* m_store;
    s::col::_array::ArrayU08* m_resource;
    uint8_t* m_mask = nullptr;
    int32_t m_maskStride = 0;
};

}  // namespace s::image::ico::win
