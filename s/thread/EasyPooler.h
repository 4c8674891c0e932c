// s/thread/EasyPooler.h
//
// The pool of one class: obtain() hands out the most recently released object or makes a
// new one; release() keeps an object while fewer than `capacity` are kept and destroys it
// otherwise. Any thread may obtain and release; the lock guards only the free list. The
// factory, the destroy callback and the reset callback run outside the lock (a reset may
// wait, for example a worker thread's reset waits until its task ends, and must not hold
// the whole pool meanwhile). Pools of classes are reached through Pool<C> (Pool.h).
#pragma once
#include <cstdint>

#include "s/base/IDestructor.h"
#include "s/base/IGenerator.h"
#include "s/base/IObject.h"
#include "s/thread/FreeList.h"
#include "s/thread/ObjLocker.h"

namespace s::thread {

class EasyPooler : public s::base::IObject, public s::base::IGenerator, public s::base::IDestructor {
public:
    using FactoryFunction = void* (*)();
    using ObjectFunction = void (*)(void* object);

    EasyPooler(int32_t capacity, FactoryFunction factory, ObjectFunction destroyCallback,
               ObjectFunction resetCallback);
    ~EasyPooler() override;  // destroys every kept object, in list order
    EasyPooler(const EasyPooler&) = delete;
    EasyPooler& operator=(const EasyPooler&) = delete;

    void* obtain();              // null when the factory failed
    void release(void* object);  // null is ignored
    int32_t capacity() const { return m_capacity; }
    uint32_t keptCount();

    // IGenerator: obtain
    void* generate() override { return obtain(); }
    // IDestructor: releases the stored object and stores null
    void destroy(void** slot) override;

    // IObject
    const wchar_t* classId() const override { return L"s_thread_EasyPooler"; }
    s::base::IObject* newInstance() const override;

private:
    ObjLocker m_lock;
    FreeList m_free;
    uint32_t m_reserved = 0;  // places promised to objects being reset outside the lock
    const int32_t m_capacity;
    const FactoryFunction m_factory;
    const ObjectFunction m_destroy;
    const ObjectFunction m_reset;
};

}  // namespace s::thread
