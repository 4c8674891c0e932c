// s/image/gif/win/GifLzw.cpp
//
// The decoder stops at the end of its data, at a code after a clear that is not a pixel and at
// a code beyond the next free one; a full table (4096 codes) stops growing but decoding goes
// on, as a deferred clear allows.
#include "s/image/gif/win/GifLzw.h"

#include <cstring>

#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::gif::win {

namespace {

// Where the next pixel goes: rows in order, or in the four interlace passes.
class RowWriter {
public:
    RowWriter(uint8_t* pixels, int32_t width, int32_t height, bool interlaced)
        : m_pixels(pixels), m_width(width), m_height(height), m_interlaced(interlaced) {}

    bool done() const { return m_row >= m_height; }
    int32_t written() const { return m_written; }

    void put(uint8_t index) {
        if (done()) return;
        m_pixels[static_cast<intptr_t>(m_row) * m_width + m_x] = index;
        ++m_written;
        if (++m_x == m_width) nextRow();
    }

private:
    void nextRow() {
        static const int32_t kStart[4] = {0, 4, 2, 1};
        static const int32_t kStep[4] = {8, 8, 4, 2};
        m_x = 0;
        if (!m_interlaced) {
            ++m_row;
            return;
        }
        m_row += kStep[m_pass];
        // a pass that starts below the last row (pictures of 1 to 4 rows) has nothing to fill
        while (m_row >= m_height && ++m_pass < 4) m_row = kStart[m_pass];
    }

    uint8_t* m_pixels;
    int32_t m_width, m_height;
    bool m_interlaced;
    int32_t m_x = 0, m_row = 0, m_pass = 0, m_written = 0;
};

// Codes least significant bit first; none is read past the data's end.
class CodeReader {
public:
    CodeReader(const uint8_t* data, uint32_t length) : m_data(data), m_bitsLeft(static_cast<uint64_t>(length) * 8) {}

    bool read(int32_t width, int32_t* code) {
        if (m_bitsLeft < static_cast<uint64_t>(width)) return false;
        int32_t value = 0;
        for (int32_t k = 0; k < width; ++k, ++m_position) {
            value |= (m_data[m_position >> 3] >> (m_position & 7) & 1) << k;
        }
        m_bitsLeft -= width;
        *code = value;
        return true;
    }

private:
    const uint8_t* m_data;
    uint64_t m_bitsLeft;
    uint64_t m_position = 0;
};

}  // namespace

int32_t GifLzw::decode(const uint8_t* data, uint32_t length, int32_t minSize, uint8_t* pixels, int32_t width,
                       int32_t height, bool interlaced) {
    if (!pixels || width <= 0 || height <= 0) return 0;
    std::memset(pixels, 0, static_cast<size_t>(width) * static_cast<size_t>(height));
    if (minSize < 1 || minSize > 8 || (!data && length)) return 0;
    const int32_t clear = 1 << minSize;
    const int32_t end = clear + 1;
    int32_t codeWidth = minSize + 1;
    int32_t nextFree = clear + 2;
    int32_t previous = -1;
    uint8_t first = 0;
    RowWriter writer(pixels, width, height, interlaced);
    CodeReader reader(data, length);
    for (int32_t code = 0; !writer.done() && reader.read(codeWidth, &code);) {
        if (code == clear) {
            codeWidth = minSize + 1;
            nextFree = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) break;
        if (previous < 0) {
            if (code >= clear) break;  // after a clear only a pixel can come
            first = static_cast<uint8_t>(code);
            writer.put(first);
            previous = code;
            continue;
        }
        if (code > nextFree || (code == nextFree && nextFree >= kMostCodes)) break;
        // expand onto the stack, last character first
        int32_t depth = 0;
        int32_t walk = code;
        if (code == nextFree) {
            m_stack[depth++] = first;  // the string of the previous code and its own first character
            walk = previous;
        }
        while (walk >= clear) {
            m_stack[depth++] = m_suffix[walk];
            walk = m_prefix[walk];
        }
        m_stack[depth++] = static_cast<uint8_t>(walk);
        first = static_cast<uint8_t>(walk);
        if (nextFree < kMostCodes) {
            m_prefix[nextFree] = static_cast<uint16_t>(previous);
            m_suffix[nextFree] = first;
            ++nextFree;
            if (nextFree == 1 << codeWidth && codeWidth < 12) ++codeWidth;
        }
        while (depth > 0) writer.put(m_stack[--depth]);
        previous = code;
    }
    return writer.written();
}

bool GifLzw::encode(const uint8_t* pixels, int32_t width, int32_t height, int32_t minSize, int32_t stride,
                    s::io::IOutputStream* out) {
    if (!out || minSize < 2 || minSize > 8 || width <= 0 || height <= 0 || !pixels) return false;
    m_out = out;
    m_failed = false;
    m_packetCount = 0;
    m_bits = 0;
    m_bitCount = 0;
    m_initialWidth = minSize + 1;
    m_width = m_initialWidth;
    m_clearCode = 1 << minSize;
    m_nextFree = m_clearCode + 2;
    m_maxCode = (1 << m_width) - 1;
    m_clear = false;
    resetHash();
    putCode(m_clearCode);
    const int32_t mask = (1 << minSize) - 1;
    int32_t prefix = pixels[0] & mask;
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* row = pixels + static_cast<intptr_t>(i) * stride;
        for (int32_t j = i == 0 ? 1 : 0; j < width; ++j) {
            const int32_t c = row[j] & mask;
            const int32_t key = (c << 12) + prefix;
            int32_t index = (c << 4) ^ prefix;
            if (m_hash[index] == key) {
                prefix = m_codes[index];
                continue;
            }
            bool found = false;
            if (m_hash[index] >= 0) {
                const int32_t displacement = index == 0 ? 1 : kHashSize - index;
                do {
                    index -= displacement;
                    if (index < 0) index += kHashSize;
                    if (m_hash[index] == key) {
                        found = true;
                        break;
                    }
                } while (m_hash[index] > 0);
            }
            if (found) {
                prefix = m_codes[index];
                continue;
            }
            putCode(prefix);
            if (m_nextFree < kMostCodes) {
                m_codes[index] = static_cast<uint16_t>(m_nextFree++);
                m_hash[index] = key;
            } else {
                resetHash();
                m_nextFree = m_clearCode + 2;
                m_clear = true;
                putCode(m_clearCode);
            }
            prefix = c;
        }
    }
    putCode(prefix);
    putCode(m_clearCode + 1);
    flushBits();
    if (m_packetCount > 0) writePacket();
    m_out = nullptr;
    return !m_failed;
}

void GifLzw::resetHash() {
    for (int32_t k = 0; k < kHashSize; ++k) m_hash[k] = -1;
}

void GifLzw::putCode(int32_t code) {
    m_bits |= static_cast<uint32_t>(code) << m_bitCount;
    m_bitCount += m_width;
    while (m_bitCount >= 8) {
        m_packet[m_packetCount++] = static_cast<uint8_t>(m_bits);
        m_bits >>= 8;
        m_bitCount -= 8;
        if (m_packetCount == 254) writePacket();
    }
    if (m_nextFree > m_maxCode || m_clear) {
        if (m_clear) {
            m_width = m_initialWidth;
            m_maxCode = (1 << m_width) - 1;
            m_clear = false;
        } else {
            ++m_width;
            m_maxCode = m_width == 12 ? kMostCodes : (1 << m_width) - 1;
        }
    }
}

void GifLzw::flushBits() {
    while (m_bitCount > 0) {
        m_packet[m_packetCount++] = static_cast<uint8_t>(m_bits);
        m_bits >>= 8;
        m_bitCount = m_bitCount > 8 ? m_bitCount - 8 : 0;
        if (m_packetCount == 254) writePacket();
    }
}

void GifLzw::writePacket() {
    const uint8_t size = static_cast<uint8_t>(m_packetCount);
    uint32_t written = 0;
    if (!m_out->write(&size, 1, &written) || written != 1) m_failed = true;
    if (!m_out->write(m_packet, size, &written) || written != size) m_failed = true;
    m_packetCount = 0;
}

s::base::IObject* GifLzw::newInstance() const { return s::thread::Pool<GifLzw>::obtain(); }

void GifLzw::releaseToPool() { s::thread::Pool<GifLzw>::release(this); }

void GifLzw::resetForReuse() {
    m_packetCount = 0;
    m_bits = 0;
    m_bitCount = 0;
    m_out = nullptr;
    m_failed = false;
}

}  // namespace s::image::gif::win
