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

uint32_t MemoryPosition::put(void* block, uint32_t elements, uint32_t shift, const void* data,
                             uint32_t n) {
    uint8_t* bytes = static_cast<uint8_t*>(block);
    const uint64_t end = static_cast<uint64_t>(elements) << shift;
    const uint64_t keepTo = m_tailBase == end && m_tailEnd > end ? m_tailEnd : end;
    if (m_value > keepTo) std::memset(bytes + keepTo, 0, static_cast<size_t>(m_value - keepTo));
    std::memmove(bytes + m_value, data, n);
    m_value += n;
    const uint64_t reached = m_value >> shift;
    if (reached > elements) elements = static_cast<uint32_t>(reached);
    const uint64_t newEnd = static_cast<uint64_t>(elements) << shift;
    if (newEnd != m_tailBase) m_tailBase = m_tailEnd = newEnd;
    if (m_value > m_tailEnd) m_tailEnd = m_value;
    return elements;
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
