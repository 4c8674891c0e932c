// s/comp/CompS08.cpp
#include "s/comp/CompS08.h"

#include <cstdint>
#include <new>

#include "s/base/Lasting.h"
#include "s/comp/CompareValues.h"

namespace s::comp {

CompS08& CompS08::instance() {
    static s::base::Lasting<CompS08> shared;  // lives until the process ends
    return shared.get();
}

int CompS08::compare(const void* a, const void* b) { return compareValues<int8_t>(a, b); }

s::base::IObject* CompS08::newInstance() const { return new (std::nothrow) CompS08(); }

}  // namespace s::comp
