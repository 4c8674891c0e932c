// s/cleaner/CleanerRawObject.cpp
#include "s/cleaner/CleanerRawObject.h"

#include <new>

#include "s/base/Lasting.h"

namespace s::cleaner {

CleanerRawObject& CleanerRawObject::instance() {
    static s::base::Lasting<CleanerRawObject> shared;  // lives until the process ends
    return shared.get();
}

void CleanerRawObject::destroy(void** slot) {
    if (!*slot) return;
    ::operator delete(*slot);
    *slot = nullptr;
}

s::base::IObject* CleanerRawObject::newInstance() const { return new (std::nothrow) CleanerRawObject(); }

}  // namespace s::cleaner
