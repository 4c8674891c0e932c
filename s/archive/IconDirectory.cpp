// s/archive/IconDirectory.cpp
#include "s/archive/IconDirectory.h"

#include "s/base/LittleEndian.h"

namespace s::archive {
namespace {

using s::base::readLe16;
using s::base::readLe32;
void put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, static_cast<uint16_t>(v));
    put16(p + 2, static_cast<uint16_t>(v >> 16));
}

uint64_t distance(uint64_t a, uint64_t b) { return a > b ? a - b : b - a; }
uint32_t depthDistance(uint16_t bits) { return bits > 32 ? bits - 32u : 32u - bits; }

}  // namespace

bool readDirectoryHeader(const uint8_t* bytes, uint64_t size, uint16_t type, uint32_t entryBytes,
                         uint16_t* count) {
    if (size < kDirectoryHeaderBytes || readLe16(bytes) != 0 || readLe16(bytes + 2) != type) return false;
    const uint16_t n = readLe16(bytes + 4);
    if (kDirectoryHeaderBytes + static_cast<uint64_t>(n) * entryBytes > size) return false;
    *count = n;
    return true;
}

IconFileEntry readFileEntry(const uint8_t* bytes) {
    IconFileEntry e;
    e.width = bytes[0];
    e.height = bytes[1];
    e.colours = bytes[2];
    e.reserved = bytes[3];
    e.planes = readLe16(bytes + 4);
    e.bitCount = readLe16(bytes + 6);
    e.dataSize = readLe32(bytes + 8);
    e.dataOffset = readLe32(bytes + 12);
    return e;
}

void writeFileEntry(const IconFileEntry& e, uint8_t* bytes) {
    bytes[0] = e.width;
    bytes[1] = e.height;
    bytes[2] = e.colours;
    bytes[3] = e.reserved;
    put16(bytes + 4, e.planes);
    put16(bytes + 6, e.bitCount);
    put32(bytes + 8, e.dataSize);
    put32(bytes + 12, e.dataOffset);
}

bool dataFits(const IconFileEntry& e, uint64_t fileSize) {
    return e.dataSize <= kMaxImageBytes && static_cast<uint64_t>(e.dataOffset) + e.dataSize <= fileSize;
}

bool findBestIconEntry(const IconFileEntry* entries, uint32_t count, uint32_t width, uint32_t height,
                       uint32_t* index) {
    if (count == 0) return false;
    const uint64_t wanted = static_cast<uint64_t>(width) * height;
    uint32_t best = 0;
    for (uint32_t k = 0; k < count; ++k) {
        const IconFileEntry& e = entries[k];
        const uint32_t w = iconSide(e.width), h = iconSide(e.height);
        if (w == width && h == height && e.bitCount == 32) {
            *index = k;
            return true;
        }
        if (k == 0) continue;
        const IconFileEntry& b = entries[best];
        const uint64_t here = distance(static_cast<uint64_t>(w) * h, wanted);
        const uint64_t there = distance(static_cast<uint64_t>(iconSide(b.width)) * iconSide(b.height), wanted);
        if (here < there || (here == there && depthDistance(e.bitCount) < depthDistance(b.bitCount))) best = k;
    }
    *index = best;
    return true;
}

}  // namespace s::archive
