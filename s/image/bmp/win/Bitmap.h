// s/image/bmp/win/Bitmap.h
//
// The BMP codec and the pixel store of the image library: a DIB section of 1, 4, 8, 16, 24 or
// 32 bits per pixel, bottom-up, with its file header, information header and palette kept as
// in a BMP file. It owns its DIB section (deleted on reset). One thread at a time. Decoders
// check every size, offset and count against the bytes present: a bad file leaves the reset
// state (0 x 0, no section) and false.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/image/EncodedImage.h"

namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::image::bmp::win {

class Bitmap final : public s::image::EncodedImage {
public:
    Bitmap();
    ~Bitmap() override;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // construction: each replaces the DIB section; false leaves the reset state
    bool create(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    bool fromBitmapHandle(HBITMAP bitmap);
    bool fromIcon(HICON icon);
    // 4 and 8 bits through the quantizer, 16 and 24 through GDI, 32 by rows. The caller's
    // image is never changed; with its alpha flag off it counts as opaque.
    bool fromImageWithSettings(const s::image::win::BufferedImage* image, int32_t bitsPerPixel,
                               bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue);

    // attributes
    const wchar_t* getExtension() const override { return L".bmp"; }
    HBITMAP getBitmapHandle() const { return m_bitmap; }
    int32_t getBitDepth() const override { return m_info.header.biBitCount; }
    int32_t getStride() const { return m_stride; }
    bool is32BitRgb() const;
    bool hasPalette() const { return m_paletteCount != 0; }
    int32_t getPaletteCount() const { return m_paletteCount; }
    int32_t getPaletteBytes() const { return m_paletteCount * 4; }
    RGBQUAD* getPalette() { return m_info.palette; }
    const RGBQUAD* getPalette() const { return m_info.palette; }
    uint8_t* getRow(int32_t i) const;  // row 0 is the top; null without a section
    uint8_t* getBits() const { return m_bits; }
    bool hasKeyColor() const { return m_keyColor != -1; }
    int32_t getKeyColor() const { return m_keyColor; }  // red << 16 | green << 8 | blue, or -1
    void setKeyColor(uint8_t red, uint8_t green, uint8_t blue);
    const BITMAPFILEHEADER& fileHeader() const { return m_file; }
    const BITMAPINFOHEADER& infoHeader() const { return m_info.header; }

    // operations
    bool blitTo(HBITMAP target) const;  // GDI converts between the depths
    bool encode(s::io::IOutputStream* out) const override;
    bool encodeDib(s::io::IOutputStream* out) const;
    bool decode(s::io::IInputStream* in) override;
    bool decodeDib(s::io::IInputStream* in);  // no file header: the form inside icon files
    // The picture as a 32-bit image: into target (sized to fit) or a new pooled image; null
    // when this holds no picture or no image could be made.
    s::image::win::BufferedImage* toBufferedImage(int32_t index,
                                                  s::image::win::BufferedImage* target) const override;
    // A new Bitmap of the image at this one's depth (24 when it has none), transparency kept.
    s::image::IEncodedImage* newFromImage(s::image::win::BufferedImage* image) const override;

    // IImage
    int32_t getWidth() const override { return m_info.header.biWidth; }
    int32_t getHeight() const override { return m_info.header.biHeight; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_bmp_win_Bitmap"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    // The information header and the palette together, as GDI takes them.
    struct Info {
        BITMAPINFOHEADER header;
        RGBQUAD palette[256];
    };

    bool decodeFrom(s::io::IInputStream* in, bool withFileHeader);
    bool decodeParts(s::io::IInputStream* in, bool withFileHeader);
    bool takeColorTable(HBITMAP bitmap, bool section);
    bool applyColorTable();
    void computeLayout();
    bool makeSection();
    void deleteSection();
    void setFileHeader();
    void copyAlphaInto(s::image::win::BufferedImage* target) const;

    HBITMAP m_bitmap = nullptr;
    BITMAPFILEHEADER m_file = {};
    Info m_info = {};
    uint8_t* m_bits = nullptr;
    int32_t m_stride = 0;
    int32_t m_paletteCount = 0;
    int32_t m_keyColor = -1;
};

// A pooled Bitmap filled by fromImageWithSettings; null when none could be made.
Bitmap* newBitmapFromImage(const s::image::win::BufferedImage* image, int32_t bitsPerPixel, bool keepTransparency,
                           uint8_t red, uint8_t green, uint8_t blue);

}  // namespace s::image::bmp::win
