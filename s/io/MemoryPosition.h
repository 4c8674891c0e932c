// s/io/MemoryPosition.h
//
// The byte position of a memory stream over a block that its owner (an array or a string)
// keeps, and the read, write and seek rules they share. The owner passes its block and the
// end of its content in bytes at each call. The position never goes below 0; it may pass
// the end (reads there fail; a write there first fills the gap with zero bytes).
#pragma once
#include <cstdint>

namespace s::io {

class MemoryPosition {
public:
    uint64_t value() const { return m_value; }
    void rewind() { m_value = 0; }

    bool read(const void* block, uint64_t end, void* buffer, uint32_t max, uint32_t* count);
    // Writes count bytes at the position into a block that already has room up to the
    // position + count, and moves past them. A gap between the content's end and the
    // position is zero-filled first, except for the elementSize - 1 bytes after the end:
    // they may hold an element written only in part by earlier writes (the owner counts
    // whole elements only), which must survive.
    void put(void* block, uint64_t end, uint32_t elementSize, const void* data, uint32_t count);

    void seekStart() { m_value = 0; }
    void seekEnd(uint64_t end) { m_value = end; }
    void seek(uint64_t position) { m_value = position; }
    void seekFromEnd(uint64_t end, uint64_t distance) { m_value = distance > end ? 0 : end - distance; }
    uint64_t skip(uint64_t distance);
    uint64_t skipBack(uint64_t distance);

private:
    uint64_t m_value = 0;
};

}  // namespace s::io
