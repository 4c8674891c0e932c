// s/col/_array/ArrayU32.cpp
#include "s/col/_array/ArrayU32.h"

#include "s/comp/CompU32.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

s::base::IComparator* ArrayU32::elementComparator() const { return &s::comp::CompU32::instance(); }

s::base::IObject* ArrayU32::newInstance() const { return s::thread::Pool<ArrayU32>::obtain(); }

void ArrayU32::releaseToPool() { s::thread::Pool<ArrayU32>::release(this); }

}  // namespace s::col::_array
