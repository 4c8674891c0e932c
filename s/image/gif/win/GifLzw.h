// s/image/gif/win/GifLzw.h
//
// The LZW coder of GIF pictures: a bounded decoder of joined data sub-blocks into one palette
// index per pixel (interlaced or not) and the classic hashed encoder writing data sub-blocks.
// Pooled; one thread at a time. Damaged code streams stop decoding; pixels not written are 0.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::io {
class IOutputStream;
}  // namespace s::io

namespace s::image::gif::win {

class GifLzw final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    GifLzw() = default;

    // Decodes length bytes into width x height indices; the count of pixels written, 0 for a
    // minimum code size outside 1..8 or an empty size.
    int32_t decode(const uint8_t* data, uint32_t length, int32_t minSize, uint8_t* pixels,
                   int32_t width, int32_t height, bool interlaced);
    // Encodes rows from the top (stride bytes apart) as sub-blocks, without the final 0x00
    // terminator. False for a minimum code size outside 2..8 or a failed write.
    bool encode(const uint8_t* pixels, int32_t width, int32_t height, int32_t minSize, int32_t stride,
                s::io::IOutputStream* out);

    // IObject
    const wchar_t* classId() const override { return L"s_image_gif_win_GifLzw"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    static constexpr int32_t kHashSize = 5003;
    static constexpr int32_t kMostCodes = 4096;

    void resetHash();
    void putCode(int32_t code);
    void flushBits();
    void writePacket();

    // encoder
    int32_t m_hash[kHashSize] = {};
    uint16_t m_codes[kHashSize] = {};
    uint8_t m_packet[256] = {};
    int32_t m_packetCount = 0;
    uint32_t m_bits = 0;
    int32_t m_bitCount = 0;
    int32_t m_initialWidth = 0;
    int32_t m_width = 0;
    int32_t m_maxCode = 0;
    int32_t m_nextFree = 0;
    int32_t m_clearCode = 0;
    bool m_clear = false;
    bool m_failed = false;
    s::io::IOutputStream* m_out = nullptr;

    // decoder
    uint16_t m_prefix[kMostCodes] = {};
    uint8_t m_suffix[kMostCodes] = {};
    uint8_t m_stack[kMostCodes + 1] = {};
};

}  // namespace s::image::gif::win
