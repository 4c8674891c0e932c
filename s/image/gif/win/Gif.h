// s/image/gif/win/Gif.h
//
// GIF files, still and animated: frames are pixel stores of 1, 4 or 8 bits (owned, released to
// their pool; decoded and quantized ones are 8-bit) with a transparent index, a delay in
// milliseconds and a disposal each, plus the loop count. One thread at a time. A file that
// ends early keeps the frames read so far; a frame that cannot be decoded (bad code size,
// size, memory) is skipped. No frame is false.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/LittleEndian.h"
#include "s/image/EncodedImage.h"
#include "s/image/gif/win/GifLzw.h"

namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::image::bmp::win {
class Bitmap;
}  // namespace s::image::bmp::win
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win
namespace s::archive::dll::win {
class Archive;
}  // namespace s::archive::dll::win

namespace s::image::gif::win {

class Gif final : public s::image::EncodedImage {
public:
    static constexpr int32_t kMostFrames = 10000;

    Gif() = default;
    ~Gif() override;
    Gif(const Gif&) = delete;
    Gif& operator=(const Gif&) = delete;

    bool decode(s::io::IInputStream* in) override;
    // GIF89a with a loop block and each frame's own colour table and place, at the frame's
    // depth; false without frames, when a frame is not of 1, 4 or 8 bits or a write fails. The
    // screen holds every frame.
    bool encode(s::io::IOutputStream* out) const override;

    int32_t getImageCount() const override { return m_count; }
    bool isMultiImage() const override { return m_count > 0; }
    int32_t getWidth() const override;   // of frame 0
    int32_t getHeight() const override;  // of frame 0
    const wchar_t* getExtension() const override { return L".gif"; }
    // the logical screen of the file decoded last (0 x 0 before one)
    int32_t screenWidth() const { return s::base::readLe16(m_screen + 6); }
    int32_t screenHeight() const { return s::base::readLe16(m_screen + 8); }
    int32_t frameLeft(int32_t i) const;
    int32_t frameTop(int32_t i) const;
    const s::image::bmp::win::Bitmap* frame(int32_t i) const;
    int32_t transparentIndex(int32_t i) const;  // -1 for none
    int32_t delay(int32_t i) const;             // milliseconds
    int32_t disposal(int32_t i) const;
    uint16_t loopCount() const { return m_loopCount; }
    void setLoopCount(uint16_t count) { m_loopCount = count; }

    // Takes the frame (a store of 1, 4 or 8 bits) and its values; false (and the frame released) when full.
    bool appendFrame(s::image::bmp::win::Bitmap* frame, int32_t transparent, int32_t delayMs, int32_t disposal,
                     int32_t left = 0, int32_t top = 0);
    // With exactly one frame, that frame takes the bitmap's pixels; otherwise the frames are
    // replaced by one made from it. Such a frame may have another depth, and then encode refuses it.
    bool fromBitmapHandle(HBITMAP bitmap);
    // some frame has a transparent index
    bool hasTransparency() const;
    // frame 0's
    bool blitTo(HBITMAP target) const;
    int32_t getBitDepth() const override;
    // the bits of the last colour table read (0 before any)
    int32_t tableDepth() const { return m_depth; }

    // Releases every frame and appends one frame of that size and colour depth (1 to 8 bits;
    // values -1, 0, 0), held in the pixel store that holds that depth: 1, 4 or 8 bits (2 and 3
    // in 4, 5 to 7 in 8). False, with no frame, for another depth or size.
    bool create(int32_t width, int32_t height, int32_t depth) override;
    bool create(int32_t width, int32_t height) { return create(width, height, 8); }
    // Appends an 8-bit frame of image with at most 2^depth - 1 colours (depth clamped to 1..8).
    // With the alpha flag on: kept transparency makes pixels below the alpha threshold the
    // index 2^depth - 1 (the frame's transparent index); else the image is drawn over an
    // opaque background of the colour given.
    bool addFrameFromImage(const s::image::win::BufferedImage* image, int32_t depth, bool keepTransparency,
                           uint8_t red, uint8_t green, uint8_t blue, uint8_t alphaThreshold);

    // Appends the set's pictures as frames: its best image alone when it holds one or is not
    // animated; otherwise delta frames, each later picture drawn over the running composite
    // and its pixels unchanged since the previous one made transparent (disposal keep).
    bool fromImageSetWithSettings(const s::image::win::BufferedImageSet* set, int32_t depth, bool keepTransparency,
                                  uint8_t red, uint8_t green, uint8_t blue);

    // Frame i as a 32-bit image, its transparent index turned to alpha 0 (the alpha flag says
    // whether any pixel had it); into target or a new pooled image; null on failure.
    s::image::win::BufferedImage* toBufferedImage(int32_t i, s::image::win::BufferedImage* target) const override;
    // Every frame placed at its place on a canvas that holds the logical screen and every
    // frame, the margin transparent; animated with the loop count.
    s::image::win::BufferedImageSet* toImageSet() const override;
    s::image::IEncodedImage* newFromImageSet(const s::image::win::BufferedImageSet* set) const override;
    s::image::IEncodedImage* newFromImage(s::image::win::BufferedImage* image) const override;
    bool findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_gif_win_Gif"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    struct Frame {
        s::image::bmp::win::Bitmap* bitmap;
        int32_t transparent, delay, disposal, left, top;
    };
    class Reader;

    bool readExtension(Reader* in);
    bool readImage(Reader* in);
    bool readTable(Reader* in, int32_t flags, uint8_t* table, int32_t* entries);
    bool joinSubBlocks(Reader* in);
    s::image::bmp::win::Bitmap* frameOf(const uint8_t* table, int32_t entries, int32_t width, int32_t height,
                                        bool interlaced, int32_t minSize);
    bool mapFrame(const s::image::win::BufferedImage* image, int32_t colours, int32_t transparent);
    bool encodeFrame(s::io::IOutputStream* out, const Frame& f) const;
    void releaseFrames();
    bool ensureBuffer(uint8_t** buffer, uint32_t* capacity, uint32_t size);

    mutable GifLzw m_lzw;  // scratch of encode and decode, not a value of the picture
    uint8_t m_screen[13] = {};
    uint8_t m_global[256 * 3] = {};
    int32_t m_globalEntries = 0;
    uint8_t m_control[4] = {};
    bool m_controlPending = false;
    uint8_t* m_data = nullptr;
    uint32_t m_dataSize = 0;
    uint32_t m_dataCapacity = 0;
    uint8_t* m_pixels = nullptr;
    uint32_t m_pixelCapacity = 0;
    Frame* m_frames = nullptr;
    int32_t m_count = 0;
    int32_t m_capacity = 0;
    uint16_t m_loopCount = 1;
    int32_t m_depth = 0;
};

// A pooled Gif holding image as one frame (alpha threshold 96); null on failure.
Gif* newGifFromImage(const s::image::win::BufferedImage* image, int32_t depth, bool keepTransparency, uint8_t red,
                     uint8_t green, uint8_t blue);
// A pooled Gif decoded from the archive's entry (type and name as in LoadFromArchive.h);
// null when the entry is missing or holds no frame.
Gif* newGifFromArchive(s::archive::dll::win::Archive* archive, const wchar_t* type, const wchar_t* name);

// A pooled Gif filled by fromImageSetWithSettings; null on failure.
Gif* newGifFromImageSet(const s::image::win::BufferedImageSet* set, int32_t depth, bool keepTransparency, uint8_t red,
                        uint8_t green, uint8_t blue);

}  // namespace s::image::gif::win
