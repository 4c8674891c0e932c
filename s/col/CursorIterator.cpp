// s/col/CursorIterator.cpp
#include "s/col/CursorIterator.h"

namespace s::col {

void CursorIterator::setIndex(int32_t index) { place(static_cast<int64_t>(index) + 1, index); }

void CursorIterator::place(int64_t cursor, int32_t index) {
    m_cursor = cursor;
    m_index = index;
}

// Signed 64-bit on purpose: with a 32-bit unsigned count, the index -1 of a fresh iterator
// would compare as 0xFFFFFFFF and a non-empty owner would seem to have no next element.
bool CursorIterator::hasNext() const {
    return static_cast<int64_t>(m_index) < static_cast<int64_t>(ownerCount()) - 1;
}

void CursorIterator::skipForward(uint32_t n) {
    while (n-- && next()) {}
}

void CursorIterator::skipBack(uint32_t n) {
    while (n-- && previous()) {}
}

void* CursorIterator::next() {
    if (m_cursor < 0 || m_cursor >= static_cast<int64_t>(ownerCount())) return nullptr;
    void* element = ownerElement(static_cast<uint32_t>(m_cursor));
    ++m_cursor;
    ++m_index;
    return element;
}

void* CursorIterator::previous() {
    int64_t at = m_cursor - 1;
    if (at < 0 || at >= static_cast<int64_t>(ownerCount())) return nullptr;
    m_cursor = at;
    --m_index;
    return ownerElement(static_cast<uint32_t>(at));
}

}  // namespace s::col
