// s/col/CollectionInputStream.h
//
// An input stream over an array's elements, read through the array's iterator in pieces of
// at most 64 bytes and whole elements only: a read whose max is smaller than one element
// delivers nothing. It does not own the array; it owns its iterator, made on the first read
// and released by close, detach and the pool reset. It cannot seek (position 0). Pooled.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"

namespace s::col::_array { class ArrayBase; }

namespace s::col {

class IteratorBase;

class CollectionInputStream final : public s::base::IObject, public s::io::IInputStream {
public:
    static constexpr uint32_t kStaging = 64;

    CollectionInputStream() = default;
    ~CollectionInputStream() override;
    CollectionInputStream(const CollectionInputStream&) = delete;
    CollectionInputStream& operator=(const CollectionInputStream&) = delete;

    void setCollection(s::col::_array::ArrayBase* collection);
    s::col::_array::ArrayBase* collection() const { return m_collection; }

    // IInputStream
    bool read(void* buffer, uint32_t max, uint32_t* count) override;
    void close() override;  // the next read starts again at the first element
    uint64_t position() override { return 0; }
    bool canSeek() override { return false; }
    bool seekStart() override { return false; }
    bool seekEnd() override { return false; }
    bool seek(uint64_t) override { return false; }
    bool seekFromEnd(uint64_t) override { return false; }
    uint64_t skip(uint64_t) override { return 0; }
    uint64_t skipBack(uint64_t) override { return 0; }
    void detach() override;  // forgets the array; the iterator goes back to its pool
    void closeAndRelease() override;

    // IObject
    const wchar_t* classId() const override { return L"s_col_CollectionInputStream"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { detach(); }

private:
    s::col::_array::ArrayBase* m_collection = nullptr;
    IteratorBase* m_iterator = nullptr;
    uint8_t m_staging[kStaging];
};

}  // namespace s::col
