// s/col/_array/ArrayS32.cpp
#include "s/col/_array/ArrayS32.h"

#include "s/comp/CompS32.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

s::base::IComparator* ArrayS32::elementComparator() const { return &s::comp::CompS32::instance(); }

s::base::IObject* ArrayS32::newInstance() const { return s::thread::Pool<ArrayS32>::obtain(); }

void ArrayS32::releaseToPool() { s::thread::Pool<ArrayS32>::release(this); }

}  // namespace s::col::_array
