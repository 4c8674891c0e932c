// s/base/IComparator.h
//
// Orders two things that the caller points at: two objects when it is handed to the
// IComparable operations, two array elements when an array sorts with it. compare()
// answers -1, 0 or 1.
#pragma once

namespace s::base {

class IComparator {
public:
    virtual ~IComparator() = default;
    virtual int compare(const void* a, const void* b) = 0;
    virtual int compareIgnoreCase(const void* a, const void* b) { return compare(a, b); }
};

}  // namespace s::base
