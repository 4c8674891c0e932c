// s/thread/Factory.h
//
// An abstract size-bounded pool. Its concrete pools call destroyKeptItems() in their own
// destructors, so that every kept item is destroyed exactly once by the class that knows
// how (see PoolerBase).
#pragma once
#include "s/thread/PoolerBase.h"

namespace s::thread {

class Factory : public PoolerBase {
public:
    // IObject
    const wchar_t* classId() const override { return L"s_thread_Factory"; }
};

}  // namespace s::thread
