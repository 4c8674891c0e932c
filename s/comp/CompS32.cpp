// s/comp/CompS32.cpp
#include "s/comp/CompS32.h"

#include <cstdint>
#include <new>

#include "s/base/Lasting.h"
#include "s/comp/CompareValues.h"

namespace s::comp {

CompS32& CompS32::instance() {
    static s::base::Lasting<CompS32> shared;  // lives until the process ends
    return shared.get();
}

int CompS32::compare(const void* a, const void* b) { return compareValues<int32_t>(a, b); }

s::base::IObject* CompS32::newInstance() const { return new (std::nothrow) CompS32(); }

}  // namespace s::comp
