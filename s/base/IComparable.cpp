// s/base/IComparable.cpp
//
// The shared default bodies of IComparable.
#include "s/base/IComparable.h"

#include <typeinfo>

#include "s/base/IComparator.h"

namespace s::base {

int32_t IComparable::compareTo(const IComparable* other, IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other);
    if (other == this) return 0;
    return reinterpret_cast<uintptr_t>(this) < reinterpret_cast<uintptr_t>(other) ? -1 : 1;
}

int32_t IComparable::compareToIgnoreCase(const IComparable* other,
                                         IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other);
    return compareTo(other, nullptr);
}

bool IComparable::equals(const IComparable* other, IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other) == 0;
    return compareTo(other, nullptr) == 0;
}

bool IComparable::equalsIgnoreCase(const IComparable* other, IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other) == 0;
    return compareToIgnoreCase(other, nullptr) == 0;
}

// The class's own name, hashed with the string rule, is the same for every instance of a
// class and the same from run to run, and differs between classes.
uint32_t IComparable::hashCode() const {
    uint32_t h = 0;
    for (const char* p = typeid(*this).name(); *p; ++p)
        h = ((h << 1) | ((h >> 30) & 1)) ^ static_cast<unsigned char>(*p);
    return h;
}

}  // namespace s::base
