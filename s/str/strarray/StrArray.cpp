// s/str/strarray/StrArray.cpp
#include "s/str/strarray/StrArray.h"

#include <cstring>

#include "s/col/_array/ArrayU08.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::str::strarray {

namespace {

using s::col::_array::ArrayU08;

uint16_t unitAt(const uint8_t* bytes, uint32_t i) {
    return static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

}  // namespace

StrArray::StrArray() { m_list.setElementDestructor(&s::thread::Pool<StrBuffer>::pooler()); }

StrArray::~StrArray() { deleteAll(); }

void StrArray::deleteAll() {
    for (uint32_t i = 0; i < m_list.count(); ++i) delete at(i);
    m_list.clear();
}

void StrArray::reset() {
    if (m_list.count()) m_list.freeAll();
}

bool StrArray::find(const StrBuffer* text, int32_t* index) const {
    for (uint32_t i = 0; i < m_list.count(); ++i) {
        if (at(i)->equalsIgnoreCase(text)) {
            if (index) *index = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool StrArray::addString(const wchar_t* text) { return addBuffer(s::str::strbuffer::newStrBuffer(text)); }

bool StrArray::addBuffer(StrBuffer* string) {
    if (!string) return false;
    if (m_list.add(string)) return true;
    string->releaseToPool();
    return false;
}

void StrArray::fromMultiString(const ArrayU08* bytes) {
    reset();
    if (!bytes) return;
    const uint8_t* data = bytes->data();
    const uint32_t n = bytes->count() / 2;
    if (n < 2) return;
    bool terminated = false;
    for (uint32_t i = n - 1; i-- > 0 && !terminated;) terminated = unitAt(data, i) == 0 && unitAt(data, i + 1) == 0;
    if (!terminated) return;
    // The pair of zero units found above ends the reading at the latest.
    uint32_t at = 0;
    do {
        StrBuffer* string = s::thread::Pool<StrBuffer>::obtain();
        if (!string) return;
        for (; unitAt(data, at) != 0; ++at) string->appendChar(static_cast<wchar_t>(unitAt(data, at)));
        ++at;
        if (!addBuffer(string)) return;
    } while (unitAt(data, at) != 0);
}

ArrayU08* StrArray::toMultiString(ArrayU08* array) const {
    ArrayU08* out = array ? array : s::thread::Pool<ArrayU08>::obtain();
    if (!out) return nullptr;
    out->clear();
    uint64_t size = m_list.count() ? 2 : 4;
    for (uint32_t i = 0; i < m_list.count(); ++i) size += static_cast<uint64_t>(at(i)->length()) * 2 + 2;
    if (size > 0x7FFFFFFFu || !out->reserve(static_cast<uint32_t>(size))) {
        if (!array) out->releaseToPool();
        return nullptr;
    }
    const uint16_t zero = 0;
    for (uint32_t i = 0; i < m_list.count(); ++i) {
        out->append(at(i)->chars(), at(i)->length() * 2, 0);
        out->append(&zero, 2, 0);
    }
    out->append(&zero, 2, 0);
    if (m_list.count() == 0) out->append(&zero, 2, 0);
    return out;
}

s::base::IObject* StrArray::newInstance() const { return s::thread::Pool<StrArray>::obtain(); }

void StrArray::releaseToPool() { s::thread::Pool<StrArray>::release(this); }

}  // namespace s::str::strarray
