// s/col/_array/Iterator.cpp
#include "s/col/_array/Iterator.h"

#include "s/col/_array/ArrayBase.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

Iterator* Iterator::over(ArrayBase* array, uint32_t cursor, int32_t index) {
    Iterator* it = s::thread::Pool<Iterator>::obtain();
    if (!it) return nullptr;
    it->m_array = array;
    it->place(cursor, index);
    return it;
}

void Iterator::reset() {
    m_array = nullptr;
    clearCursor();
}

uint32_t Iterator::ownerCount() const { return m_array ? m_array->count() : 0; }

void* Iterator::ownerElement(uint32_t i) const { return m_array->elementAt(i); }

s::base::IObject* Iterator::newInstance() const { return s::thread::Pool<Iterator>::obtain(); }

void Iterator::releaseToPool() { s::thread::Pool<Iterator>::release(this); }

}  // namespace s::col::_array
