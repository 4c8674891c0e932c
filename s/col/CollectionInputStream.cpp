// s/col/CollectionInputStream.cpp
#include "s/col/CollectionInputStream.h"

#include <cstring>

#include "s/col/IteratorBase.h"
#include "s/col/_array/ArrayBase.h"
#include "s/thread/Pool.h"

namespace s::col {

CollectionInputStream::~CollectionInputStream() { close(); }

void CollectionInputStream::setCollection(s::col::_array::ArrayBase* collection) {
    close();
    m_collection = collection;
}

bool CollectionInputStream::read(void* buffer, uint32_t max, uint32_t* count) {
    if (count) *count = 0;
    if (max == 0) return true;
    if (!m_collection || !buffer) return false;
    if (!m_iterator && !(m_iterator = m_collection->iterator())) return false;
    const uint32_t size = static_cast<uint32_t>(m_collection->byteSize(1));
    uint32_t gathered = 0;
    while (gathered + size <= kStaging && gathered + size <= max && m_iterator->hasNext()) {
        void* element = m_iterator->next();
        if (!element) break;
        std::memcpy(m_staging + gathered, element, size);
        gathered += size;
    }
    std::memcpy(buffer, m_staging, gathered);
    if (count) *count = gathered;
    return gathered != 0;
}

void CollectionInputStream::close() {
    if (m_iterator) m_iterator->release();
    m_iterator = nullptr;
}

void CollectionInputStream::detach() {
    close();
    m_collection = nullptr;
}

void CollectionInputStream::closeAndRelease() {
    close();
    releaseToPool();
}

s::base::IObject* CollectionInputStream::newInstance() const {
    return s::thread::Pool<CollectionInputStream>::obtain();
}

void CollectionInputStream::releaseToPool() { s::thread::Pool<CollectionInputStream>::release(this); }

}  // namespace s::col
