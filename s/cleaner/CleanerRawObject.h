// s/cleaner/CleanerRawObject.h
//
// Disposes of a container's element by freeing its memory with plain operator delete,
// without a destructor call: for raw blocks. One shared instance, never freed.
#pragma once
#include "s/base/IDestructor.h"
#include "s/base/IObject.h"

namespace s::cleaner {

class CleanerRawObject : public s::base::IObject, public s::base::IDestructor {
public:
    static CleanerRawObject& instance();

    void destroy(void** slot) override;

    // IObject
    const wchar_t* classId() const override { return L"s_cleaner_CleanerRawObject"; }
    s::base::IObject* newInstance() const override;
};

}  // namespace s::cleaner
