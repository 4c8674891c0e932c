// s/col/IteratorBase.h
//
// A pooled cursor over the elements of an enumerable. The index is that of the element last
// returned (-1 before the first); next() returns a pointer to an element and moves on,
// previous() moves back and returns a pointer. Both return null, and do not move, when there
// is no element there. The caller gives the iterator back with release().
#pragma once
#include <cstdint>

#include "s/base/IObject.h"

namespace s::col {

class IteratorBase : public s::base::IObject {
public:
    virtual int32_t index() const = 0;
    virtual void setIndex(int32_t index) = 0;
    virtual bool hasNext() const = 0;
    virtual bool hasPrevious() const = 0;
    virtual void skipForward(uint32_t n) = 0;
    virtual void skipBack(uint32_t n) = 0;
    virtual void* next() = 0;
    virtual void* previous() = 0;
    virtual void release() = 0;
    virtual void reset() = 0;
};

}  // namespace s::col
