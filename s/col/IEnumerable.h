// s/col/IEnumerable.h
//
// Something whose elements can be walked with pooled iterators. Every iterator returned
// belongs to the caller, who releases it. The defaults build the positioned iterators and
// elementAt from iterator() and iteratorAtEnd(); a class without iterators answers null.
#pragma once
#include <cstdint>

#include "s/col/IteratorBase.h"

namespace s::col {

class IEnumerable {
public:
    virtual ~IEnumerable() = default;
    virtual IteratorBase* iterator() { return nullptr; }       // before the first element
    virtual IteratorBase* iteratorAtEnd() { return nullptr; }  // after the last element
    // So that next() returns element i.
    virtual IteratorBase* iteratorAt(uint32_t i) {
        IteratorBase* it = iterator();
        if (it) it->skipForward(i);
        return it;
    }
    // n elements before the end.
    virtual IteratorBase* iteratorFromEnd(uint32_t n) {
        IteratorBase* it = iteratorAtEnd();
        if (it) it->skipBack(n);
        return it;
    }
    // Pointer to element i, null when there is none.
    virtual void* elementAt(uint32_t i) {
        IteratorBase* it = iteratorAt(i);
        if (!it) return nullptr;
        void* element = it->next();
        it->release();
        return element;
    }
};

}  // namespace s::col
