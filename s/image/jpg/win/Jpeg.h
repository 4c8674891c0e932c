// s/image/jpg/win/Jpeg.h
//
// The JPEG codec over libjpeg-turbo: a 24-bit pixel store (a pooled Bitmap owned for the
// Jpeg's whole life) and the quality of the next encode. One thread at a time; different
// Jpegs may work on different threads. Library errors return to the codec (never end the
// process) and print nothing: a bad file leaves an empty store and false.
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
namespace s::archive::dll::win {
class Archive;
}  // namespace s::archive::dll::win

namespace s::image::jpg::win {

class Jpeg final : public s::image::EncodedImage {
public:
    static constexpr int32_t kDefaultQuality = 75;

    Jpeg();
    ~Jpeg() override;
    Jpeg(const Jpeg&) = delete;
    Jpeg& operator=(const Jpeg&) = delete;

    // the pixel store, 24 bits, B, G, R, row 0 on top
    bool create(int32_t width, int32_t height);
    bool create(int32_t width, int32_t height, int32_t) override { return create(width, height); }
    bool fromBitmapHandle(HBITMAP bitmap);
    bool blitTo(HBITMAP target) const;
    int32_t getBitDepth() const override;
    int32_t getStride() const;
    uint8_t* getRow(int32_t i) const;
    uint8_t* getBits() const;
    s::image::bmp::win::Bitmap* pixelStore() const { return m_store; }

    const wchar_t* getExtension() const override { return L".jpg"; }
    int32_t getQuality() const { return m_quality; }
    void setQuality(int32_t quality);
    // Flattens an image with alpha on the opaque background colour; the image is unchanged.
    bool fromImageWithSettings(const s::image::win::BufferedImage* image, int32_t quality,
                               uint8_t red, uint8_t green, uint8_t blue);

    // Baseline, 4:2:0, at the quality; false when the stream refused bytes (the store is
    // never changed).
    bool encode(s::io::IOutputStream* out) const override;
    bool decode(s::io::IInputStream* in) override;
    s::image::win::BufferedImage* toBufferedImage(int32_t index,
                                                  s::image::win::BufferedImage* target) const override;
    s::image::IEncodedImage* newFromImage(s::image::win::BufferedImage* image) const override;

    // IImage
    int32_t getWidth() const override;
    int32_t getHeight() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_jpg_win_Jpeg"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    s::image::bmp::win::Bitmap* m_store;
    int32_t m_quality = kDefaultQuality;
};

// A pooled Jpeg filled by fromImageWithSettings; null when none could be made.
Jpeg* newJpegFromImage(const s::image::win::BufferedImage* image, int32_t quality, uint8_t red,
                       uint8_t green, uint8_t blue);
// A pooled Jpeg decoded from the archive's entry (type and name as in LoadFromArchive.h);
// null when the entry is missing or is no JPEG.
Jpeg* newJpegFromArchive(s::archive::dll::win::Archive* archive, const wchar_t* type, const wchar_t* name);

}  // namespace s::image::jpg::win
