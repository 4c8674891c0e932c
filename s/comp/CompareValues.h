// s/comp/CompareValues.h
//
// The one body of the element comparators: reads the two values that a and b point at and
// answers -1, 0 or 1.
#pragma once

namespace s::comp {

template <class T>
int compareValues(const void* a, const void* b) {
    const T x = *static_cast<const T*>(a);
    const T y = *static_cast<const T*>(b);
    return x < y ? -1 : (x == y ? 0 : 1);
}

}  // namespace s::comp
