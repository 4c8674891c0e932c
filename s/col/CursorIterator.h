// s/col/CursorIterator.h
//
// The stepping shared by the array and string iterators: an index (of the element last
// returned, as the iterator contract has it) and a cursor (the element that next() returns).
// The owner is asked for its count and element addresses at every step, so an iterator
// never reads outside the owner's current block, even after the owner has grown or shrunk.
// A derived class supplies the owner and the pool.
#pragma once
#include <cstdint>

#include "s/col/IteratorBase.h"

namespace s::col {

class CursorIterator : public IteratorBase {
public:
    int32_t index() const override { return m_index; }
    // As if element `index` had just been returned by next().
    void setIndex(int32_t index) override;
    bool hasNext() const override;
    bool hasPrevious() const override { return m_index > 0; }
    void skipForward(uint32_t n) override;
    void skipBack(uint32_t n) override;
    void* next() override;
    void* previous() override;

    // Places the cursor: next() then returns element `cursor`, and index() answers `index`.
    void place(int64_t cursor, int32_t index);

protected:
    virtual uint32_t ownerCount() const = 0;
    virtual void* ownerElement(uint32_t i) const = 0;
    void clearCursor() { m_index = -1; m_cursor = 0; }

private:
    int32_t m_index = -1;
    int64_t m_cursor = 0;
};

}  // namespace s::col
