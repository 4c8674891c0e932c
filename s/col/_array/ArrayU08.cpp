// s/col/_array/ArrayU08.cpp
#include "s/col/_array/ArrayU08.h"

#include "s/comp/CompU08.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

s::base::IComparator* ArrayU08::elementComparator() const { return &s::comp::CompU08::instance(); }

s::base::IObject* ArrayU08::newInstance() const { return s::thread::Pool<ArrayU08>::obtain(); }

void ArrayU08::releaseToPool() { s::thread::Pool<ArrayU08>::release(this); }

ArrayU08* resultBytes(ArrayU08* given, bool append) {
    if (!given) return s::thread::Pool<ArrayU08>::obtain();
    if (!append) given->clear();
    return given;
}

}  // namespace s::col::_array
