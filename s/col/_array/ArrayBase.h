// s/col/_array/ArrayBase.h
//
// A growable array of fixed-size elements (1 << shift bytes each), at the same time an
// enumerable with pooled iterators, a memory stream over its bytes, and an object that
// writes itself as text or in an XML-like form. Indices and counts are clamped to the
// content; a failed allocation keeps the old content and answers false. No lock.
#pragma once
#include <cstdint>

#include "s/col/ICollection.h"
#include "s/col/IEnumerable.h"
#include "s/io/IInputStreamable.h"
#include "s/io/MemoryStream.h"
#include "s/thread/IPoolable.h"

namespace s::base { class IComparator; }

namespace s::col::_array {

// Counts and indices are in elements. Because every index and count a caller passes is
// clamped, no call reads or writes outside the block; operations that may move fewer
// elements than asked answer how many they moved. An array shared between threads is
// guarded by its owner.
class ArrayBase : public s::col::ICollection,
                  public s::io::IInputStreamable,
                  public virtual s::thread::IPoolable,
                  public s::col::IEnumerable,
                  public s::io::MemoryStream {
public:
    using StrBuffer = s::str::strbuffer::StrBuffer;

    ~ArrayBase() override;
    ArrayBase(const ArrayBase&) = delete;
    ArrayBase& operator=(const ArrayBase&) = delete;

    // Attributes
    uint32_t shift() const { return m_shift; }
    uint32_t elementSize() const { return 1u << m_shift; }
    uint32_t capacity() const { return m_capacity; }
    void* elements() const { return m_elements; }  // the block itself, null while none

    // Storage. grow: one step of the growth rule; reserve(n): steps until n fit, one
    // allocation; setCapacity(n): exactly n when n is more than the capacity.
    bool grow();
    bool reserve(uint32_t n);
    bool setCapacity(uint32_t n);
    // Room for one element at index (clamped to the count): the tail moves up, count + 1.
    bool insertGap(uint32_t index);
    // Removes element index, copying it to *element when given; false when there is none.
    bool removeAt(uint32_t index, void* element);
    // First element equal (byte for byte) to *element: true and its index, or false and -1.
    bool indexOfElement(const void* element, int32_t* index) const;

    // Element operations. A count of -1 reaches to the end of the content.
    virtual uint32_t copyTo(ArrayBase* target, uint32_t targetIndex, uint32_t sourceIndex,
                            int32_t count) const;
    virtual uint32_t copyFrom(const ArrayBase* source, uint32_t sourceIndex, uint32_t targetIndex,
                              int32_t count);
    virtual bool setCount(uint32_t n);  // new elements are not initialised
    virtual uint32_t read(void* buffer, uint32_t bufferIndex, uint32_t sourceIndex,
                          int32_t count) const;
    // Writes count elements of source (from sourceIndex) at targetIndex; a gap between the
    // old count and targetIndex is zero-filled.
    virtual bool writeAt(const void* source, uint32_t count, uint32_t sourceIndex,
                         uint32_t targetIndex);
    virtual bool append(const void* source, uint32_t count, uint32_t sourceIndex);
    virtual bool prepend(const void* source, uint32_t count, uint32_t sourceIndex);
    virtual bool insertAt(uint32_t index, const void* source, uint32_t count, uint32_t sourceIndex);
    virtual uint32_t dropLast(uint32_t n);
    virtual uint32_t dropFirst(uint32_t n);
    virtual uint32_t removeRange(uint32_t index, uint32_t n);
    virtual uint32_t takeLast(void* buffer, uint32_t n, uint32_t bufferIndex);
    virtual uint32_t takeFirst(void* buffer, uint32_t n, uint32_t bufferIndex);
    virtual uint32_t takeRange(uint32_t index, void* buffer, uint32_t n, uint32_t bufferIndex);
    virtual int32_t compareRange(uint32_t index, const void* data, uint32_t dataCount,
                                 uint32_t dataIndex, int32_t n) const;
    virtual void freeBuffer();
    virtual bool swap(uint32_t i, uint32_t j);
    virtual void reverse();
    virtual uint32_t sampleCount() const { return 0; }
    virtual const void* sampleElements() const { return nullptr; }
    virtual void appendElementText(StrBuffer* string, const void* element) const = 0;
    virtual void appendElementHex(StrBuffer* string, const void* element) const = 0;
    virtual StrBuffer* contentXml(StrBuffer* string, bool append) const;
    virtual s::base::IComparator* elementComparator() const = 0;
    virtual bool swapWithTemp(uint32_t i, uint32_t j, void* temp);

    // ICollection
    const wchar_t* className() const override { return classId(); }
    uint32_t count() const override { return m_count; }
    uint64_t byteSize(int32_t n) const override;
    void clear() override;  // the block stays
    StrBuffer* toText(StrBuffer* string, bool append) const override;
    StrBuffer* toXml(StrBuffer* string, bool append) const override;
    StrBuffer* digest(s::digest::IDigester* digester, StrBuffer* result, bool append) const override;

    // IObject, IComparable
    const wchar_t* classId() const override { return L"s_col_array_ArrayBase"; }
    int32_t compareTo(const s::base::IComparable* other,
                      s::base::IComparator* comparator = nullptr) const override;

    // IPoolable: the typed arrays free their block
    void resetForReuse() override { freeBuffer(); }

    // IInputStreamable: a pooled CollectionInputStream over the elements
    s::io::IInputStream* inputStream() override;

    // IEnumerable: pooled s::col::_array::Iterator objects
    s::col::IteratorBase* iterator() override;
    s::col::IteratorBase* iteratorAtEnd() override;
    s::col::IteratorBase* iteratorAt(uint32_t i) override;
    s::col::IteratorBase* iteratorFromEnd(uint32_t n) override;
    void* elementAt(uint32_t i) override;

    // IInputStream and IOutputStream (MemoryStream): over count << shift bytes
    using s::io::MemoryStream::read;

protected:
    explicit ArrayBase(uint32_t shift) : m_shift(shift) {}

    uint8_t* slot(uint32_t i) const { return m_elements + (static_cast<size_t>(i) << m_shift); }
    size_t bytes(uint32_t n) const { return static_cast<size_t>(n) << m_shift; }
    bool isInsideBlock(const void* p) const;

    uint8_t* m_elements = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;

    // MemoryStream
    uint8_t* streamBlock() const override { return m_elements; }
    uint32_t streamCount() const override { return m_count; }
    uint32_t streamCapacity() const override { return m_capacity; }
    uint32_t streamShift() const override { return m_shift; }
    bool streamReserve(uint32_t elements) override { return reserve(elements); }
    void setStreamCount(uint32_t elements) override { m_count = elements; }

private:
    bool reallocate(uint32_t capacity);
    bool insertCopy(uint32_t index, const void* source, uint32_t count, uint32_t sourceIndex);

    const uint32_t m_shift;
};

}  // namespace s::col::_array
