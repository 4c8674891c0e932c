// s/base/LittleEndian.h
//
// The 16- and 32-bit fields of the file formats the library reads (bitmaps, icons, cursors,
// GIF, resources, MD5 blocks), least significant byte first, from any byte address: no
// alignment is assumed. Pure; the caller guarantees that the bytes are there.
#pragma once
#include <cstdint>

namespace s::base {

inline uint16_t readLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace s::base
