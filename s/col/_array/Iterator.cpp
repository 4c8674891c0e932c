// s/col/_array/Iterator.cpp
#include "s/col/_array/Iterator.h"

#include "s/col/_array/ArrayBase.h"

namespace s::col::_array {

uint32_t Iterator::ownerCount() const { return m_owner ? m_owner->count() : 0; }

void* Iterator::ownerElement(uint32_t i) const { return m_owner->elementAt(i); }

}  // namespace s::col::_array
