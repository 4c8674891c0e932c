// s/comp/CompU08.cpp
#include "s/comp/CompU08.h"

#include <cstdint>
#include <new>

#include "s/base/Lasting.h"
#include "s/comp/CompareValues.h"

namespace s::comp {

CompU08& CompU08::instance() {
    static s::base::Lasting<CompU08> shared;  // lives until the process ends
    return shared.get();
}

int CompU08::compare(const void* a, const void* b) { return compareValues<uint8_t>(a, b); }

s::base::IObject* CompU08::newInstance() const { return new (std::nothrow) CompU08(); }

}  // namespace s::comp
