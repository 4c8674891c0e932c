// s/comp/CompS08.h
//
// Orders array elements as signed bytes; stateless, one shared instance.
#pragma once
#include "s/base/IComparator.h"
#include "s/base/IObject.h"

namespace s::comp {

class CompS08 : public s::base::IObject, public s::base::IComparator {
public:
    static CompS08& instance();

    int compare(const void* a, const void* b) override;

    // IObject
    const wchar_t* classId() const override { return L"s_comp_CompS08"; }
    s::base::IObject* newInstance() const override;
};

}  // namespace s::comp
