// s/base/IDestructor.h
//
// How a container disposes of an element it owns: destroy() disposes of the object whose
// pointer is stored at slot and stores null there. A null stored pointer is left alone.
#pragma once

namespace s::base {

class IDestructor {
public:
    virtual ~IDestructor() = default;
    virtual void destroy(void** slot) = 0;
};

}  // namespace s::base
