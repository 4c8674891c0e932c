// s/thread/ObjLocker.cpp
#include "s/thread/ObjLocker.h"

#include <new>

#include "s/base/IDestructor.h"

namespace s::thread {

ObjLocker::ObjLocker() { InitializeCriticalSection(&m_section); }

ObjLocker::~ObjLocker() {
    if (object) {
        if (disposeFunction)
            disposeFunction(object);
        else if (disposeRule)
            disposeRule->destroy(&object);
        else
            ::operator delete(object);
        object = nullptr;
    }
    DeleteCriticalSection(&m_section);
}

s::base::IObject* ObjLocker::newInstance() const { return new (std::nothrow) ObjLocker(); }

}  // namespace s::thread
