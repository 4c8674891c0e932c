// s/str/strarray/StrArray.h
//
// The system's list of strings: an ArrayP of StrBuffers that owns them. Read and change the
// list through list() (count, get, item<StrBuffer>, add); strings put into it belong to the
// list, which returns them to the StrBuffer pool when it is emptied (freeAll, the pool
// reset) and deletes them when it is destroyed. Also converts to and from the registry's
// double-zero-terminated UTF-16LE multi-string. Pooled; no lock: its owner guards it.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayU08; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::str::strarray {

class StrArray final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using StrBuffer = s::str::strbuffer::StrBuffer;

    StrArray();
    ~StrArray() override;  // deletes every string (not pooled)
    StrArray(const StrArray&) = delete;
    StrArray& operator=(const StrArray&) = delete;

    s::col::_array::ArrayP& list() { return m_list; }
    const s::col::_array::ArrayP& list() const { return m_list; }
    uint32_t count() const { return m_list.count(); }
    StrBuffer* at(uint32_t i) const { return m_list.item<StrBuffer>(i); }  // null beyond the count

    // The first string equal to text ignoring case: true and its index in *index (when
    // given); false, *index untouched, when there is none.
    bool find(const StrBuffer* text, int32_t* index) const;
    // Appends a pooled copy of a zero-terminated text; false when none could be made.
    bool addString(const wchar_t* text);
    // Appends a string that the list takes over; false (and null) when it cannot be kept:
    // the string then goes back to its pool.
    bool addBuffer(StrBuffer* string);

    // Replaces the list with the strings of a multi-string: zero-terminated runs up to the
    // first empty one, read only when the bytes hold a pair of zero units at all.
    void fromMultiString(const s::col::_array::ArrayU08* bytes);
    // The strings, each with its zero unit, and one more zero unit, into the caller's array
    // (its content replaced) or a pooled one; an empty list gives four zero bytes. Null
    // when memory ran out.
    s::col::_array::ArrayU08* toMultiString(s::col::_array::ArrayU08* array) const;

    void deleteAll();  // deletes every string, count 0
    void reset();      // every string back to its pool, block freed

    // IObject
    const wchar_t* classId() const override { return L"s_str_strarray_StrArray"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { reset(); }

private:
    s::col::_array::ArrayP m_list;
};

}  // namespace s::str::strarray
