// s/comp/CompU08.cpp
#include "s/comp/CompU08.h"

#include <cstdint>
#include <new>

#include "s/comp/CompareValues.h"

namespace s::comp {

CompU08& CompU08::instance() {
    static CompU08* const shared = new CompU08();  // lives until the process ends
    return *shared;
}

int CompU08::compare(const void* a, const void* b) { return compareValues<uint8_t>(a, b); }

s::base::IObject* CompU08::newInstance() const { return new (std::nothrow) CompU08(); }

}  // namespace s::comp
