// s/archive/icon/Entry.cpp
#include "s/archive/icon/Entry.h"

#include "s/thread/Pool.h"

namespace s::archive::icon {

s::base::IObject* Entry::newInstance() const { return s::thread::Pool<Entry>::obtain(); }

void Entry::releaseToPool() { s::thread::Pool<Entry>::release(this); }

}  // namespace s::archive::icon
