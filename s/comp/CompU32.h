// s/comp/CompU32.h
//
// Orders array elements as unsigned 32-bit values; stateless, one shared instance.
#pragma once
#include "s/base/IComparator.h"
#include "s/base/IObject.h"

namespace s::comp {

class CompU32 : public s::base::IObject, public s::base::IComparator {
public:
    static CompU32& instance();

    int compare(const void* a, const void* b) override;

    // IObject
    const wchar_t* classId() const override { return L"s_comp_CompU32"; }
    s::base::IObject* newInstance() const override;
};

}  // namespace s::comp
