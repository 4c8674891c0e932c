// s/comp/CompU32.cpp
#include "s/comp/CompU32.h"

#include <cstdint>
#include <new>

#include "s/base/Lasting.h"
#include "s/comp/CompareValues.h"

namespace s::comp {

CompU32& CompU32::instance() {
    static s::base::Lasting<CompU32> shared;  // lives until the process ends
    return shared.get();
}

int CompU32::compare(const void* a, const void* b) { return compareValues<uint32_t>(a, b); }

s::base::IObject* CompU32::newInstance() const { return new (std::nothrow) CompU32(); }

}  // namespace s::comp
