// s/col/_array/TypedArray.h
//
// The typed face of an array of T (one of uint8_t, int8_t, uint32_t, int32_t, void*):
// element reads and writes by value, the one-element append `add`, and the text, hex and
// XML forms of number elements. Out-of-range reads answer T() (0 or null); out-of-range
// writes answer false. Instantiated for the five element types in TypedArray.cpp.
#pragma once
#include <cstdint>

#include "s/col/_array/ArrayBase.h"

namespace s::col::_array {

template <class T>
class TypedArray : public ArrayBase {
    static_assert(sizeof(T) == 1 || sizeof(T) == 4, "elements are 1 or 4 bytes");

public:
    T* data() const { return reinterpret_cast<T*>(m_elements); }
    T get(uint32_t i) const { return i < m_count ? data()[i] : T(); }
    T last() const { return m_count ? data()[m_count - 1] : T(); }
    bool set(uint32_t i, T value);
    bool add(T value);  // one element at the end: one growth step when full
    // Removes element index and answers it (T() when there is none).
    T removeAt(uint32_t index);
    using ArrayBase::removeAt;
    bool indexOf(T value, int32_t* index = nullptr) const { return indexOfElement(&value, index); }

    // ArrayBase
    bool swap(uint32_t i, uint32_t j) override;
    uint32_t sampleCount() const override { return 5; }
    const void* sampleElements() const override;
    void appendElementText(StrBuffer* string, const void* element) const override;
    void appendElementHex(StrBuffer* string, const void* element) const override;
    StrBuffer* contentXml(StrBuffer* string, bool append) const override;

protected:
    TypedArray() : ArrayBase(sizeof(T) == 1 ? 0 : 2) {}
};

extern template class TypedArray<uint8_t>;
extern template class TypedArray<int8_t>;
extern template class TypedArray<uint32_t>;
extern template class TypedArray<int32_t>;
extern template class TypedArray<void*>;

}  // namespace s::col::_array
