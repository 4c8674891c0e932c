// s/base/IComparable.h
//
// The root of every library object: a three-way order, equality and a hash code, each of
// the first four optionally delegated to a comparator (null for none). The default bodies
// (IComparable.cpp) order by identity and hash by class only, so a class whose content
// matters (strings, arrays) overrides them.
#pragma once
#include <cstdint>

namespace s::base {

class IComparator;

class IComparable {
public:
    virtual ~IComparable() = default;
    virtual int32_t compareTo(const IComparable* other, IComparator* comparator = nullptr) const;
    virtual int32_t compareToIgnoreCase(const IComparable* other,
                                        IComparator* comparator = nullptr) const;
    virtual bool equals(const IComparable* other, IComparator* comparator = nullptr) const;
    virtual bool equalsIgnoreCase(const IComparable* other,
                                  IComparator* comparator = nullptr) const;
    virtual uint32_t hashCode() const;
    virtual uint32_t hashCodeIgnoreCase() const { return hashCode(); }
};

}  // namespace s::base
