// s/col/_array/ArrayP.cpp
#include "s/col/_array/ArrayP.h"

#include <new>

#include "s/base/IDestructor.h"
#include "s/comp/CompP.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

ArrayP::~ArrayP() { destroyElements(); }

void ArrayP::destroyElements() {
    if (!m_destructor) return;
    void** elements = data();
    for (uint32_t i = 0; i < m_count; ++i) m_destructor->destroy(&elements[i]);
}

void ArrayP::freeAll() {
    destroyElements();
    ArrayBase::freeBuffer();
}

// Five empty pointer arrays, made once and kept for the life of the process.
const void* ArrayP::sampleElements() const {
    static void* const* const samples = [] {
        static void* table[5];
        for (void*& p : table) p = new (std::nothrow) ArrayP();
        return table;
    }();
    return samples;
}

void ArrayP::appendElementText(StrBuffer* string, const void* element) const {
    const s::base::IObject* object = *static_cast<const s::base::IObject* const*>(element);
    string->appendText(object ? object->classId() : L"null");
    string->appendChar(L'(');
    string->appendInt32(static_cast<int32_t>(reinterpret_cast<uintptr_t>(object)));
    string->appendChar(L')');
}

s::base::IComparator* ArrayP::elementComparator() const { return &s::comp::CompP::instance(); }

s::base::IObject* ArrayP::newInstance() const { return s::thread::Pool<ArrayP>::obtain(); }

void ArrayP::releaseToPool() { s::thread::Pool<ArrayP>::release(this); }

void ArrayP::resetForReuse() {
    freeAll();
    m_destructor = nullptr;
}

}  // namespace s::col::_array
