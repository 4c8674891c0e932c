// s/comp/CompS08.cpp
#include "s/comp/CompS08.h"

#include <cstdint>
#include <new>

#include "s/comp/CompareValues.h"

namespace s::comp {

CompS08& CompS08::instance() {
    static CompS08* const shared = new CompS08();  // lives until the process ends
    return *shared;
}

int CompS08::compare(const void* a, const void* b) { return compareValues<int8_t>(a, b); }

s::base::IObject* CompS08::newInstance() const { return new (std::nothrow) CompS08(); }

}  // namespace s::comp
