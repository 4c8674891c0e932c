// s/base/IObject.h
//
// Adds the class id (the qualified class name with "::" as "_", a constant string) and a
// fresh instance of the same class, taken from the class's pool where it has one.
//
// Rule of the library: IObject (or an interface derived from it) is the first base of
// every class, so that a pointer to an object equals its IObject pointer. Containers that
// keep untyped element pointers and cleaners that delete them rely on that.
#pragma once
#include "s/base/IComparable.h"

namespace s::base {

class IObject : public IComparable {
public:
    virtual const wchar_t* classId() const = 0;
    virtual IObject* newInstance() const = 0;
};

}  // namespace s::base
