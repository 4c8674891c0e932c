// s/comp/CompP.cpp
#include "s/comp/CompP.h"

#include <cstdint>
#include <new>

#include "s/comp/CompareValues.h"

namespace s::comp {

CompP& CompP::instance() {
    static CompP* const shared = new CompP();  // lives until the process ends
    return *shared;
}

int CompP::compare(const void* a, const void* b) { return compareValues<uint32_t>(a, b); }

s::base::IObject* CompP::newInstance() const { return new (std::nothrow) CompP(); }

}  // namespace s::comp
