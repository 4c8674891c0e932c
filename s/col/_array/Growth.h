// s/col/_array/Growth.h
//
// The growth rule shared by arrays, strings and pool free lists: from capacity c the next
// is 100 while c < 100, then 3c up to 9,999,999, 2c up to 49,999,999, 1.5c (truncated) up
// to 99,999,999 and 1.2c beyond. Saturates at the largest 32-bit value instead of wrapping.
#pragma once
#include <cstdint>

namespace s::col::_array {

uint32_t nextCapacity(uint32_t capacity);

// The first capacity reached from `capacity` by growth steps that is at least `wanted`.
uint32_t capacityFor(uint32_t capacity, uint32_t wanted);

}  // namespace s::col::_array
