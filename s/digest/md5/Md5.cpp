// s/digest/md5/Md5.cpp
#include "s/digest/md5/Md5.h"

#include <cstring>

#include "s/base/LittleEndian.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::digest::md5 {

namespace {

// RFC 1321, 3.4: the per-round shift amounts and the sine table T[1..64].
constexpr uint32_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

uint32_t rotateLeft(uint32_t x, uint32_t n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Md5::Md5() {
    if (m_result.setCount(kLength)) std::memset(m_result.data(), 0, kLength);
    init();
}

void Md5::init() {
    m_state[0] = 0x67452301;
    m_state[1] = 0xefcdab89;
    m_state[2] = 0x98badcfe;
    m_state[3] = 0x10325476;
    m_bitLength = 0;
    m_hasData = false;
}

void Md5::transform(const uint8_t* block) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = s::base::readLe32(block + 4 * i);
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 64; ++i) {
        uint32_t f, g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (b & d) | (c & ~d);
            g = (5 * i + 1) & 15;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) & 15;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) & 15;
        }
        uint32_t t = d;
        d = c;
        c = b;
        b = b + rotateLeft(a + f + kSine[i] + x[g], kShift[i]);
        a = t;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void Md5::update(const void* data, uint32_t byteCount) {
    if (!data || byteCount == 0) return;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    uint32_t buffered = static_cast<uint32_t>((m_bitLength >> 3) & 63);
    m_bitLength += static_cast<uint64_t>(byteCount) << 3;
    m_hasData = true;
    if (buffered) {
        uint32_t fill = 64 - buffered;
        if (byteCount < fill) {
            std::memcpy(m_block + buffered, bytes, byteCount);
            return;
        }
        std::memcpy(m_block + buffered, bytes, fill);
        transform(m_block);
        bytes += fill;
        byteCount -= fill;
    }
    for (; byteCount >= 64; bytes += 64, byteCount -= 64) transform(bytes);
    std::memcpy(m_block, bytes, byteCount);
}

// RFC 1321, 3.1 to 3.5: 0x80, zeros up to 56 bytes mod 64, the bit length little-endian.
// The state then starts a new message, so a digester can be used again at once.
void Md5::finish(uint8_t* target) {
    const uint64_t bits = m_bitLength;
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) length[i] = static_cast<uint8_t>(bits >> (8 * i));
    static const uint8_t kPadding[64] = {0x80};
    const uint32_t buffered = static_cast<uint32_t>((bits >> 3) & 63);
    update(kPadding, buffered < 56 ? 56 - buffered : 120 - buffered);
    update(length, 8);
    uint8_t* out = target ? target : m_result.data();
    for (int i = 0; out && i < 16; ++i) out[i] = static_cast<uint8_t>(m_state[i / 4] >> (8 * (i % 4)));
    init();
}

s::str::strbuffer::StrBuffer* Md5::resultHex(s::str::strbuffer::StrBuffer* string, bool append) const {
    return m_result.contentXml(string, append);
}

s::base::IObject* Md5::newInstance() const { return s::thread::Pool<Md5>::obtain(); }

void Md5::releaseToPool() { s::thread::Pool<Md5>::release(this); }

s::str::strbuffer::StrBuffer* digestHex(s::digest::IDigester* digester, const void* data,
                                        uint32_t byteCount, s::str::strbuffer::StrBuffer* result,
                                        bool append) {
    Md5* own = digester ? nullptr : s::thread::Pool<Md5>::obtain();
    if (!digester && !own) return nullptr;
    s::digest::IDigester* used = digester ? digester : own;
    used->update(data, byteCount);
    used->finish(nullptr);
    s::str::strbuffer::StrBuffer* hex = used->resultHex(result, append);
    if (own) own->releaseToPool();
    return hex;
}

}  // namespace s::digest::md5
