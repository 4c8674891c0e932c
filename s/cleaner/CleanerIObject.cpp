// s/cleaner/CleanerIObject.cpp
#include "s/cleaner/CleanerIObject.h"

#include <new>

namespace s::cleaner {

CleanerIObject& CleanerIObject::instance() {
    static CleanerIObject* const shared = new CleanerIObject();  // lives until the process ends
    return *shared;
}

void CleanerIObject::destroy(void** slot) {
    if (!*slot) return;
    delete static_cast<s::base::IObject*>(*slot);
    *slot = nullptr;
}

s::base::IObject* CleanerIObject::newInstance() const { return new (std::nothrow) CleanerIObject(); }

}  // namespace s::cleaner
