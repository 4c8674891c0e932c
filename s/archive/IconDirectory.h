// s/archive/IconDirectory.h
//
// The rules of icon and cursor directories, apart from any I/O: the 16-byte file entry,
// the side a stored byte means, the choice of the best image, and the checks that a
// directory read from a file or a module holds what it claims. Little-endian throughout.
#pragma once
#include <cstdint>

namespace s::archive {

constexpr uint16_t kIconType = 1;
constexpr uint16_t kCursorType = 2;
constexpr uint32_t kDirectoryHeaderBytes = 6;
constexpr uint32_t kFileEntryBytes = 16;
constexpr uint32_t kGroupEntryBytes = 14;
// A 256 x 256 32-bit image with its mask is 270,376 bytes; PNG entries are smaller still.
// Anything beyond this is no image of ours.
constexpr uint32_t kMaxImageBytes = 8u << 20;

// The 16-byte entry as stored in a file (for cursors the planes and bit count fields hold
// the hot spot).
struct IconFileEntry {
    uint8_t width;
    uint8_t height;
    uint8_t colours;
    uint8_t reserved;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t dataSize;
    uint32_t dataOffset;
};

// A stored width or height of 0 means 256 (the large PNG entries).
inline uint32_t iconSide(uint8_t stored) { return stored ? stored : 256u; }

// The 6-byte header: reserved 0, the type, the count. False when reserved is not 0, the
// type is another, or count entries of entryBytes do not fit in the size bytes.
bool readDirectoryHeader(const uint8_t* bytes, uint64_t size, uint16_t type, uint32_t entryBytes,
                         uint16_t* count);
IconFileEntry readFileEntry(const uint8_t* bytes);  // 16 bytes
void writeFileEntry(const IconFileEntry& entry, uint8_t* bytes);
// An entry's data lies inside a file of fileSize bytes and is no larger than an image.
bool dataFits(const IconFileEntry& entry, uint64_t fileSize);

// The best of count entries for width x height: the first with exactly that size at 32
// bits, else the nearest area, where at an equal distance a bit count nearer 32 replaces an
// earlier entry (the earlier one wins a full tie). False for no entries.
bool findBestIconEntry(const IconFileEntry* entries, uint32_t count, uint32_t width, uint32_t height,
                       uint32_t* index);

}  // namespace s::archive
