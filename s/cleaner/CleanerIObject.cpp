// s/cleaner/CleanerIObject.cpp
#include "s/cleaner/CleanerIObject.h"

#include <new>

#include "s/base/Lasting.h"

namespace s::cleaner {

CleanerIObject& CleanerIObject::instance() {
    static s::base::Lasting<CleanerIObject> shared;  // lives until the process ends
    return shared.get();
}

void CleanerIObject::destroy(void** slot) {
    if (!*slot) return;
    delete static_cast<s::base::IObject*>(*slot);
    *slot = nullptr;
}

s::base::IObject* CleanerIObject::newInstance() const { return new (std::nothrow) CleanerIObject(); }

}  // namespace s::cleaner
