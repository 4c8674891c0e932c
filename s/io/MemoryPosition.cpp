// s/io/MemoryPosition.cpp
#include "s/io/MemoryPosition.h"

#include <cstring>

namespace s::io {

bool MemoryPosition::read(const void* block, uint64_t end, void* buffer, uint32_t max,
                          uint32_t* count) {
    if (count) *count = 0;
    if (max == 0) return true;
    if (m_value >= end) return false;
    uint64_t left = end - m_value;
    uint32_t n = left < max ? static_cast<uint32_t>(left) : max;
    std::memcpy(buffer, static_cast<const uint8_t*>(block) + m_value, n);
    m_value += n;
    if (count) *count = n;
    return true;
}

void MemoryPosition::put(void* block, uint64_t end, uint32_t elementSize, const void* data,
                         uint32_t count) {
    uint8_t* bytes = static_cast<uint8_t*>(block);
    const uint64_t fillFrom = end + elementSize - 1;
    if (m_value > fillFrom) std::memset(bytes + fillFrom, 0, static_cast<size_t>(m_value - fillFrom));
    std::memmove(bytes + m_value, data, count);
    m_value += count;
}

uint64_t MemoryPosition::skip(uint64_t distance) {
    uint64_t room = UINT64_MAX - m_value;
    if (distance > room) distance = room;
    m_value += distance;
    return distance;
}

uint64_t MemoryPosition::skipBack(uint64_t distance) {
    if (distance > m_value) distance = m_value;
    m_value -= distance;
    return distance;
}

}  // namespace s::io
