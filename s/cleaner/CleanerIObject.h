// s/cleaner/CleanerIObject.h
//
// Disposes of a container's element by deleting it through its virtual destructor. The
// stored pointer must be the object's own pointer (IObject is every class's first base).
// One shared instance, never freed.
#pragma once
#include "s/base/IDestructor.h"
#include "s/base/IObject.h"

namespace s::cleaner {

class CleanerIObject : public s::base::IObject, public s::base::IDestructor {
public:
    static CleanerIObject& instance();

    void destroy(void** slot) override;

    // IObject
    const wchar_t* classId() const override { return L"s_cleaner_CleanerIObject"; }
    s::base::IObject* newInstance() const override;
};

}  // namespace s::cleaner
