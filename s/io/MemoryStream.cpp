// s/io/MemoryStream.cpp
#include "s/io/MemoryStream.h"

#include <cstring>

namespace s::io {

bool MemoryStream::read(void* buffer, uint32_t max, uint32_t* count) {
    if (count) *count = 0;
    if (max == 0) return true;
    const uint64_t end = streamEnd();
    if (m_position >= end || !buffer) return false;
    const uint64_t left = end - m_position;
    const uint32_t n = left < max ? static_cast<uint32_t>(left) : max;
    std::memcpy(buffer, streamBlock() + m_position, n);
    m_position += n;
    if (count) *count = n;
    return true;
}

// Data inside the owner's own block is found again by its offset once the block may have
// been replaced.
bool MemoryStream::write(const void* data, uint32_t count, uint32_t* written) {
    if (written) *written = 0;
    if (count == 0) return true;
    if (!data) return false;
    const uint32_t shift = streamShift();
    const uint64_t reach = m_position + count;
    if ((reach >> shift) >= UINT32_MAX) return false;
    const uint8_t* from = static_cast<const uint8_t*>(data);
    const uint8_t* block = streamBlock();
    const bool inside = block && from >= block && from < block + (static_cast<uint64_t>(streamCapacity()) << shift);
    const size_t offset = inside ? static_cast<size_t>(from - block) : 0;
    if (!streamReserve(static_cast<uint32_t>(reach >> shift) + 1)) return false;
    uint8_t* bytes = streamBlock();
    if (inside) from = bytes + offset;
    const uint64_t end = streamEnd();
    const uint64_t keepTo = m_tailBase == end && m_tailEnd > end ? m_tailEnd : end;
    if (m_position > keepTo) std::memset(bytes + keepTo, 0, static_cast<size_t>(m_position - keepTo));
    std::memmove(bytes + m_position, from, count);
    m_position = reach;
    if ((reach >> shift) > streamCount()) setStreamCount(static_cast<uint32_t>(reach >> shift));
    const uint64_t newEnd = streamEnd();
    if (newEnd != m_tailBase) m_tailBase = m_tailEnd = newEnd;
    if (reach > m_tailEnd) m_tailEnd = reach;
    if (written) *written = count;
    return true;
}

bool MemoryStream::seekStart() {
    m_position = 0;
    return true;
}

bool MemoryStream::seekEnd() {
    m_position = streamEnd();
    return true;
}

bool MemoryStream::seek(uint64_t position) {
    m_position = position;
    return true;
}

bool MemoryStream::seekFromEnd(uint64_t distance) {
    const uint64_t end = streamEnd();
    m_position = distance > end ? 0 : end - distance;
    return true;
}

uint64_t MemoryStream::skip(uint64_t distance) {
    const uint64_t room = UINT64_MAX - m_position;
    if (distance > room) distance = room;
    m_position += distance;
    return distance;
}

uint64_t MemoryStream::skipBack(uint64_t distance) {
    if (distance > m_position) distance = m_position;
    m_position -= distance;
    return distance;
}

}  // namespace s::io
