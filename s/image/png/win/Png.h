// s/image/png/win/Png.h
//
// The PNG codec over libpng 1.6: reads every colour type, bit depth and interlace into a
// 32-bit pixel store (a pooled Bitmap owned for the Png's whole life; B, G, R, A, row 0 on
// top) and writes 8-bit RGBA files, Adam7 when asked. One thread at a time. libpng's errors
// come back through its setjmp return point and print nothing: a bad file leaves an empty
// store and false. The caller's streams are never closed.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/image/EncodedImage.h"

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

namespace s::image::png::win {

class Png final : public s::image::EncodedImage {
public:
    Png();
    ~Png() override;
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    // the pixel store, 32 bits
    bool create(int32_t width, int32_t height);
    bool create(int32_t width, int32_t height, int32_t) override { return create(width, height); }
    bool blitTo(HBITMAP target) const;
    int32_t getBitDepth() const override { return 32; }
    int32_t getStride() const;
    uint8_t* getRow(int32_t i) const;
    uint8_t* getBits() const;
    s::image::bmp::win::Bitmap* pixelStore() const { return m_store; }

    const wchar_t* getExtension() const override { return L".png"; }
    bool isInterlaced() const { return m_interlace; }
    void setInterlace(bool flag) { m_interlace = flag; }
    // An image with its alpha flag off is written opaque; without keepTransparency one with
    // alpha is flattened on the opaque background colour. The image is unchanged.
    bool fromImageWithSettings(const s::image::win::BufferedImage* image, bool interlace,
                               bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue);

    bool encode(s::io::IOutputStream* out) const override;  // the store is never changed
    // An error after the last row (in the chunks behind the image) keeps the picture.
    bool decode(s::io::IInputStream* in) override;
    s::image::win::BufferedImage* toBufferedImage(int32_t index,
                                                  s::image::win::BufferedImage* target) const override;
    // A new Png of the image with the format's defaults: transparency kept, interlaced
    // (whatever this one's own flag says).
    s::image::IEncodedImage* newFromImage(s::image::win::BufferedImage* image) const override;

    // IImage
    int32_t getWidth() const override;
    int32_t getHeight() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_png_win_Png"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    s::image::bmp::win::Bitmap* m_store;
    bool m_interlace = false;
};

// A pooled Png filled by fromImageWithSettings; null when none could be made.
Png* newPngFromImage(const s::image::win::BufferedImage* image, bool interlace,
                     bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue);

}  // namespace s::image::png::win
