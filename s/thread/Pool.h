// s/thread/Pool.h
//
// The pool of class C, built on first use and never destroyed: objects released at exit
// (by static lists, or by kept objects whose destructors release their members) must
// still find their pools, so the operating system reclaims the pools with the process.
//
// Every pooled class C uses it for newInstance (Pool<C>::obtain()) and releaseToPool
// (Pool<C>::release(this)); C's resetForReuse is the pool's reset callback and C's
// virtual destructor its destroy callback. Capacity is 1000 unless C's owner says other.
#pragma once
#include <new>

#include "s/thread/EasyPooler.h"
#include "s/base/Lasting.h"

namespace s::thread {

template <class C, int Capacity = 1000>
class Pool {
public:
    static EasyPooler& pooler() {
        static s::base::Lasting<EasyPooler> pool(Capacity, &create, &destroy, &reset);
        return pool.get();
    }
    static C* obtain() { return static_cast<C*>(pooler().obtain()); }
    static void release(C* object) { pooler().release(object); }

private:
    static void* create() { return new (std::nothrow) C(); }
    static void destroy(void* object) { delete static_cast<C*>(object); }
    static void reset(void* object) { static_cast<C*>(object)->resetForReuse(); }
};

}  // namespace s::thread
