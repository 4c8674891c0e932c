// s/col/_array/TypedArray.cpp
#include "s/col/_array/TypedArray.h"

#include <type_traits>

#include "s/str/strbuffer/StrBuffer.h"

namespace s::col::_array {

template <class T>
bool TypedArray<T>::set(uint32_t i, T value) {
    if (i >= m_count) return false;
    data()[i] = value;
    return true;
}

template <class T>
bool TypedArray<T>::add(T value) {
    if (m_count == m_capacity && !grow()) return false;
    data()[m_count++] = value;
    return true;
}

template <class T>
T TypedArray<T>::removeAt(uint32_t index) {
    T value = T();
    ArrayBase::removeAt(index, &value);
    return value;
}

template <class T>
bool TypedArray<T>::swap(uint32_t i, uint32_t j) {
    if (i >= m_count || j >= m_count) return false;
    T temp = data()[i];
    data()[i] = data()[j];
    data()[j] = temp;
    return true;
}

template <class T>
const void* TypedArray<T>::sampleElements() const {
    if constexpr (std::is_pointer_v<T>) {
        return nullptr;  // ArrayP has its own samples
    } else {
        static const T samples[5] = {0, 1, 2, 3, 4};
        return samples;
    }
}

template <class T>
void TypedArray<T>::appendElementText(StrBuffer* string, const void* element) const {
    if constexpr (!std::is_pointer_v<T>) {
        T value = *static_cast<const T*>(element);
        if constexpr (std::is_signed_v<T>)
            string->appendInt32(value);
        else
            string->appendUInt32(value);
    }
}

template <class T>
void TypedArray<T>::appendElementHex(StrBuffer* string, const void* element) const {
    if constexpr (!std::is_pointer_v<T>) {
        if constexpr (sizeof(T) == 1)
            string->appendHex8(*static_cast<const uint8_t*>(element));
        else
            string->appendHex32(*static_cast<const uint32_t*>(element));
    }
}

// All elements at once: the same digits as element by element, in one reservation.
template <class T>
ArrayBase::StrBuffer* TypedArray<T>::contentXml(StrBuffer* string, bool append) const {
    StrBuffer* out = s::str::strbuffer::resultString(string, append);
    if (!out) return nullptr;
    if constexpr (std::is_pointer_v<T>) {
        return out;
    } else if constexpr (sizeof(T) == 1) {
        out->appendHex8(reinterpret_cast<const uint8_t*>(m_elements), m_count);
    } else {
        out->appendHex32(reinterpret_cast<const uint32_t*>(m_elements), m_count);
    }
    return out;
}

template class TypedArray<uint8_t>;
template class TypedArray<int8_t>;
template class TypedArray<uint32_t>;
template class TypedArray<int32_t>;
template class TypedArray<void*>;

}  // namespace s::col::_array
