// s/col/_array/MergeSort.h
//
// The stable merge sorts over pointer blocks that every sorted list of the system uses.
// compare(a, b, userData) receives two element values (the stored pointers themselves) and
// answers a negative, zero or positive value. Ranges are start (inclusive) to end
// (exclusive). The sorts allocate nothing; sortStable makes the one scratch copy they need.
#pragma once
#include <cstdint>

namespace s::col::_array {

class ArrayP;

using MergeCompare = int (*)(const void* a, const void* b, void* userData);

// Sorts destination[start, end) using source as a copy of the same elements (the caller
// copies the block first and passes offset 0). Equal elements keep their order.
void mergeSortAscending(void** source, void** destination, int32_t start, int32_t end,
                        int32_t offset, MergeCompare compare, void* userData);
void mergeSortDescending(void** source, void** destination, int32_t start, int32_t end,
                         int32_t offset, MergeCompare compare, void* userData);

// Sorts the whole array through a temporary copy of its pointer block; false (array as it
// was) when the copy cannot be made.
bool sortStable(ArrayP& array, MergeCompare compare, void* userData, bool descending = false);

}  // namespace s::col::_array
