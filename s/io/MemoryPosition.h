// s/io/MemoryPosition.h
//
// The byte position of a memory stream over a block that its owner (an array or a string)
// keeps, and the read, write and seek rules they share. The owner passes its block and the
// size of its content at each call. The position never goes below 0; it may pass the end
// (reads there fail; a write there first fills the gap with zero bytes).
#pragma once
#include <cstdint>

namespace s::io {

class MemoryPosition {
public:
    uint64_t value() const { return m_value; }
    void rewind() { m_value = 0; }

    bool read(const void* block, uint64_t end, void* buffer, uint32_t max, uint32_t* count);
    // Writes n bytes at the position into a block of `elements` counted elements of
    // 1 << shift bytes, which already has room up to the position + n; moves past them and
    // answers the new element count (raised to whole elements up to the position). A gap
    // between the content's end and the position is zero-filled first, except for bytes
    // that earlier writes put into the first, uncounted element: they are kept, so that
    // writes of odd sizes follow each other.
    uint32_t put(void* block, uint32_t elements, uint32_t shift, const void* data, uint32_t n);

    void seekStart() { m_value = 0; }
    void seekEnd(uint64_t end) { m_value = end; }
    void seek(uint64_t position) { m_value = position; }
    void seekFromEnd(uint64_t end, uint64_t distance) { m_value = distance > end ? 0 : end - distance; }
    uint64_t skip(uint64_t distance);
    uint64_t skipBack(uint64_t distance);

private:
    uint64_t m_value = 0;
    uint64_t m_tailBase = 0;  // the content's end when the stream wrote past it ...
    uint64_t m_tailEnd = 0;   // ... and how far (within the next element)
};

}  // namespace s::io
