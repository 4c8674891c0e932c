// s/col/_array/ArrayS08.cpp
#include "s/col/_array/ArrayS08.h"

#include "s/comp/CompS08.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

s::base::IComparator* ArrayS08::elementComparator() const { return &s::comp::CompS08::instance(); }

s::base::IObject* ArrayS08::newInstance() const { return s::thread::Pool<ArrayS08>::obtain(); }

void ArrayS08::releaseToPool() { s::thread::Pool<ArrayS08>::release(this); }

}  // namespace s::col::_array
