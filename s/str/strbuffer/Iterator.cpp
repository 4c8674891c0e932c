// s/str/strbuffer/Iterator.cpp
#include "s/str/strbuffer/Iterator.h"

#include "s/str/strbuffer/StrBuffer.h"

namespace s::str::strbuffer {

uint32_t Iterator::ownerCount() const { return m_owner ? m_owner->length() : 0; }

void* Iterator::ownerElement(uint32_t i) const { return m_owner->charPointer(i); }

}  // namespace s::str::strbuffer
