// s/col/_array/MergeSort.cpp
#include "s/col/_array/MergeSort.h"

#include <cstring>
#include <new>

#include "s/col/_array/ArrayP.h"

namespace s::col::_array {

namespace {

// Ranges of this many elements or fewer are insertion-sorted.
constexpr int32_t kInsertionLimit = 6;

// The one body of both directions: descending is ascending with the order reversed.
struct Order {
    MergeCompare compare;
    void* userData;
    bool descending;

    // Whether a must come after b.
    bool after(const void* a, const void* b) const {
        int c = compare(a, b, userData);
        return descending ? c < 0 : c > 0;
    }
};

void mergeSort(void** source, void** destination, int32_t low, int32_t high, int32_t offset,
               const Order& order) {
    const int32_t length = high - low;
    if (length <= kInsertionLimit) {
        for (int32_t i = low; i < high; ++i) {
            for (int32_t j = i; j > low && order.after(destination[j - 1], destination[j]); --j) {
                void* t = destination[j];
                destination[j] = destination[j - 1];
                destination[j - 1] = t;
            }
        }
        return;
    }
    const int32_t destinationLow = low;
    low += offset;
    high += offset;
    const int32_t mid = low + (high - low) / 2;
    mergeSort(destination, source, low, mid, -offset, order);
    mergeSort(destination, source, mid, high, -offset, order);
    if (!order.after(source[mid - 1], source[mid])) {
        std::memcpy(destination + destinationLow, source + low, sizeof(void*) * length);
        return;
    }
    for (int32_t i = destinationLow, p = low, q = mid; i < destinationLow + length; ++i) {
        if (q >= high || (p < mid && !order.after(source[p], source[q])))
            destination[i] = source[p++];
        else
            destination[i] = source[q++];
    }
}

}  // namespace

void mergeSortAscending(void** source, void** destination, int32_t start, int32_t end,
                        int32_t offset, MergeCompare compare, void* userData) {
    if (!source || !destination || !compare || end <= start) return;
    mergeSort(source, destination, start, end, offset, Order{compare, userData, false});
}

void mergeSortDescending(void** source, void** destination, int32_t start, int32_t end,
                         int32_t offset, MergeCompare compare, void* userData) {
    if (!source || !destination || !compare || end <= start) return;
    mergeSort(source, destination, start, end, offset, Order{compare, userData, true});
}

bool sortStable(ArrayP& array, MergeCompare compare, void* userData, bool descending) {
    const uint32_t n = array.count();
    if (n < 2) return true;
    void** scratch = new (std::nothrow) void*[n];
    if (!scratch) return false;
    std::memcpy(scratch, array.data(), sizeof(void*) * n);
    const int32_t end = static_cast<int32_t>(n);
    if (descending)
        mergeSortDescending(scratch, array.data(), 0, end, 0, compare, userData);
    else
        mergeSortAscending(scratch, array.data(), 0, end, 0, compare, userData);
    delete[] scratch;
    return true;
}

}  // namespace s::col::_array
