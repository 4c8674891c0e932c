// s/archive/cur/Entry.cpp
#include "s/archive/cur/Entry.h"

#include "s/thread/Pool.h"

namespace s::archive::cur {

s::base::IObject* Entry::newInstance() const { return s::thread::Pool<Entry>::obtain(); }

void Entry::releaseToPool() { s::thread::Pool<Entry>::release(this); }

}  // namespace s::archive::cur
