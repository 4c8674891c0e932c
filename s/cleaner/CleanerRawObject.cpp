// s/cleaner/CleanerRawObject.cpp
#include "s/cleaner/CleanerRawObject.h"

#include <new>

namespace s::cleaner {

CleanerRawObject& CleanerRawObject::instance() {
    static CleanerRawObject* const shared = new CleanerRawObject();  // lives until the process ends
    return *shared;
}

void CleanerRawObject::destroy(void** slot) {
    if (!*slot) return;
    ::operator delete(*slot);
    *slot = nullptr;
}

s::base::IObject* CleanerRawObject::newInstance() const { return new (std::nothrow) CleanerRawObject(); }

}  // namespace s::cleaner
