// s/col/_array/ArrayP.h
//
// The general list of objects: an array of pointers. Append one with add(p), read one with
// get(i) or item<C>(i). With an element destructor set (a class pool, CleanerIObject ...)
// the array owns its elements: freeAll, the pool reset and the destructor pass each one to
// it. Nothing else destroys an element: clear, the drop/remove/take operations and
// writeAt over old elements just let go of the pointers, and the caller answers for them.
// A fresh array from the pool owns nothing.
#pragma once
#include "s/col/_array/TypedArray.h"

namespace s::base { class IDestructor; }

namespace s::col::_array {

class ArrayP final : public TypedArray<void*> {
public:
    ArrayP() = default;
    ~ArrayP() override;
    ArrayP(const ArrayP&) = delete;
    ArrayP& operator=(const ArrayP&) = delete;

    void setElementDestructor(s::base::IDestructor* destructor) { m_destructor = destructor; }
    s::base::IDestructor* elementDestructor() const { return m_destructor; }
    template <class C>
    C* item(uint32_t i) const { return static_cast<C*>(get(i)); }

    // Every element to the element destructor (when set), then the block is freed.
    void freeAll();

    // ArrayBase
    void freeBuffer() override { freeAll(); }
    const void* sampleElements() const override;
    // The element's class id, "(", the pointer as a signed decimal, ")"; "null(0)" for null.
    // Elements must be IObjects (or null) for the text form.
    void appendElementText(StrBuffer* string, const void* element) const override;
    void appendElementHex(StrBuffer*, const void*) const override {}
    s::base::IComparator* elementComparator() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_col__array_ArrayP"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: the elements go to the element destructor, which is then forgotten
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void destroyElements();

    s::base::IDestructor* m_destructor = nullptr;
};

}  // namespace s::col::_array
