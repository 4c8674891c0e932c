// s/comp/CompU32.cpp
#include "s/comp/CompU32.h"

#include <cstdint>
#include <new>

#include "s/comp/CompareValues.h"

namespace s::comp {

CompU32& CompU32::instance() {
    static CompU32* const shared = new CompU32();  // lives until the process ends
    return *shared;
}

int CompU32::compare(const void* a, const void* b) { return compareValues<uint32_t>(a, b); }

s::base::IObject* CompU32::newInstance() const { return new (std::nothrow) CompU32(); }

}  // namespace s::comp
