// s/thread/ObjLocker.h
//
// A critical section with an optional owned object: the standard lock of pools, containers
// and lazily built statics. Users enter and leave it around exactly the code that touches
// what it guards (Lock below does both in one scope). On destruction the owned object is
// disposed of by the disposal function, else by the disposal rule, else by plain operator
// delete (no destructor call).
#pragma once
#include <windows.h>

#include "s/base/IObject.h"

namespace s::base { class IDestructor; }

namespace s::thread {

class ObjLocker : public s::base::IObject {
public:
    using DisposeFunction = void (*)(void* object);

    ObjLocker();
    ~ObjLocker() override;
    ObjLocker(const ObjLocker&) = delete;
    ObjLocker& operator=(const ObjLocker&) = delete;

    void enter() { EnterCriticalSection(&m_section); }
    void leave() { LeaveCriticalSection(&m_section); }

    // The owned object and how to dispose of it (any may be null).
    void* object = nullptr;
    DisposeFunction disposeFunction = nullptr;
    s::base::IDestructor* disposeRule = nullptr;

    // IObject
    const wchar_t* classId() const override { return L"s_thread_ObjLocker"; }
    s::base::IObject* newInstance() const override;

private:
    CRITICAL_SECTION m_section;
};

// Enters a locker for the lifetime of the scope.
class Lock {
public:
    explicit Lock(ObjLocker& locker) : m_locker(locker) { m_locker.enter(); }
    ~Lock() { m_locker.leave(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    ObjLocker& m_locker;
};

}  // namespace s::thread
