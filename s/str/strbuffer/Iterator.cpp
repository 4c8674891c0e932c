// s/str/strbuffer/Iterator.cpp
#include "s/str/strbuffer/Iterator.h"

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::str::strbuffer {

Iterator* Iterator::over(StrBuffer* string, uint32_t cursor, int32_t index) {
    Iterator* it = s::thread::Pool<Iterator>::obtain();
    if (!it) return nullptr;
    it->m_string = string;
    it->place(cursor, index);
    return it;
}

void Iterator::reset() {
    m_string = nullptr;
    clearCursor();
}

uint32_t Iterator::ownerCount() const { return m_string ? m_string->length() : 0; }

void* Iterator::ownerElement(uint32_t i) const { return m_string->charPointer(i); }

s::base::IObject* Iterator::newInstance() const { return s::thread::Pool<Iterator>::obtain(); }

void Iterator::releaseToPool() { s::thread::Pool<Iterator>::release(this); }

}  // namespace s::str::strbuffer
