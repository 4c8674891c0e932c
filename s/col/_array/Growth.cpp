// s/col/_array/Growth.cpp
#include "s/col/_array/Growth.h"

namespace s::col::_array {

namespace {
constexpr uint64_t kMax = 0xFFFFFFFFu;

uint32_t saturate(uint64_t v) { return v > kMax ? static_cast<uint32_t>(kMax) : static_cast<uint32_t>(v); }
}  // namespace

uint32_t nextCapacity(uint32_t c) {
    if (c <= 99) return 100;
    if (c <= 9999999) return c * 3;
    if (c <= 49999999) return c * 2;
    if (c <= 99999999) return static_cast<uint32_t>(c * 1.5);
    return saturate(static_cast<uint64_t>(c * 1.2));
}

uint32_t capacityFor(uint32_t capacity, uint32_t wanted) {
    while (capacity < wanted) {
        uint32_t next = nextCapacity(capacity);
        if (next <= capacity) return wanted;  // saturated: take exactly what is wanted
        capacity = next;
    }
    return capacity;
}

}  // namespace s::col::_array
