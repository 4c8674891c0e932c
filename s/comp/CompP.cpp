// s/comp/CompP.cpp
#include "s/comp/CompP.h"

#include <cstdint>
#include <new>

#include "s/base/Lasting.h"
#include "s/comp/CompareValues.h"

namespace s::comp {

CompP& CompP::instance() {
    static s::base::Lasting<CompP> shared;  // lives until the process ends
    return shared.get();
}

int CompP::compare(const void* a, const void* b) { return compareValues<uint32_t>(a, b); }

s::base::IObject* CompP::newInstance() const { return new (std::nothrow) CompP(); }

}  // namespace s::comp
