// s/thread/EasyPooler.cpp
#include "s/thread/EasyPooler.h"

#include <new>

namespace s::thread {

EasyPooler::EasyPooler(int32_t capacity, FactoryFunction factory, ObjectFunction destroyCallback,
                       ObjectFunction resetCallback)
    : m_capacity(capacity), m_factory(factory), m_destroy(destroyCallback), m_reset(resetCallback) {}

EasyPooler::~EasyPooler() {
    for (uint32_t i = 0; i < m_free.count(); ++i) m_destroy(m_free.at(i));
    m_free.clear();
}

void* EasyPooler::obtain() {
    {
        Lock lock(m_lock);
        if (void* object = m_free.pop()) return object;
    }
    return m_factory();
}

// A place is reserved under the lock before the reset, so the pool never keeps more than
// its capacity even while several objects are being reset at once.
void EasyPooler::release(void* object) {
    if (!object) return;
    bool keep;
    {
        Lock lock(m_lock);
        keep = m_capacity > 0 && m_free.count() + m_reserved < static_cast<uint32_t>(m_capacity);
        if (keep) ++m_reserved;
    }
    if (!keep) {
        m_destroy(object);
        return;
    }
    if (m_reset) m_reset(object);
    bool kept;
    {
        Lock lock(m_lock);
        --m_reserved;
        kept = m_free.push(object);
    }
    if (!kept) m_destroy(object);
}

uint32_t EasyPooler::keptCount() {
    Lock lock(m_lock);
    return m_free.count();
}

void EasyPooler::destroy(void** slot) {
    if (!*slot) return;
    release(*slot);
    *slot = nullptr;
}

s::base::IObject* EasyPooler::newInstance() const {
    return new (std::nothrow) EasyPooler(m_capacity, m_factory, m_destroy, m_reset);
}

}  // namespace s::thread
