// s/str/strbuffer/Iterator.h
//
// The pooled iterator over a string's units: next() and previous() return pointers to
// units in the string's block (null where there is none). It does not own the string; the
// caller releases the iterator (release()) before the string goes away.
#pragma once
#include <cstdint>

#include "s/col/CursorIterator.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer {

class StrBuffer;

class Iterator final : public s::col::CursorIterator, public virtual s::thread::IPoolable {
public:
    Iterator() = default;
    ~Iterator() override = default;

    // A pooled iterator whose next() returns unit `cursor`; null when the pool has none.
    static Iterator* over(StrBuffer* string, uint32_t cursor, int32_t index);

    StrBuffer* string() const { return m_string; }

    // IteratorBase
    void release() override { releaseToPool(); }
    void reset() override;

    // IObject
    const wchar_t* classId() const override { return L"s_str_strbuffer_Iterator"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { reset(); }

protected:
    uint32_t ownerCount() const override;
    void* ownerElement(uint32_t i) const override;

private:
    StrBuffer* m_string = nullptr;
};

}  // namespace s::str::strbuffer
