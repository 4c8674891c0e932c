// s/col/_array/ArrayBase.cpp
#include "s/col/_array/ArrayBase.h"

#include <cstring>
#include <new>

#include "s/base/IComparator.h"
#include "s/col/CollectionInputStream.h"
#include "s/col/_array/Growth.h"
#include "s/col/_array/Iterator.h"
#include "s/digest/md5/Md5.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::col::_array {

namespace {

// Blocks stay below 2 GB: a 32-bit process cannot hold more, and sizes stay in range.
constexpr uint64_t kMaxBlockBytes = 0x7FFFFFFFu;

uint32_t smaller(uint32_t a, uint32_t b) { return a < b ? a : b; }

// count -1 (or any negative count) reaches to the end of what is left.
uint32_t clampCount(int32_t count, uint32_t left) {
    return count < 0 ? left : smaller(static_cast<uint32_t>(count), left);
}

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

ArrayBase::~ArrayBase() { delete[] m_elements; }

bool ArrayBase::reallocate(uint32_t capacity) {
    uint64_t size = static_cast<uint64_t>(capacity) << m_shift;
    if (size > kMaxBlockBytes) return false;
    uint8_t* block = new (std::nothrow) uint8_t[size ? static_cast<size_t>(size) : 1];
    if (!block) return false;
    if (m_count) std::memcpy(block, m_elements, bytes(m_count));
    delete[] m_elements;
    m_elements = block;
    m_capacity = capacity;
    return true;
}

bool ArrayBase::grow() {
    uint32_t next = nextCapacity(m_capacity);
    return next > m_capacity && reallocate(next);
}

bool ArrayBase::reserve(uint32_t n) {
    if (n <= m_capacity) return true;
    return reallocate(capacityFor(m_capacity, n));
}

bool ArrayBase::setCapacity(uint32_t n) { return n <= m_capacity || reallocate(n); }

bool ArrayBase::isInsideBlock(const void* p) const {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return m_elements && b >= m_elements && b < m_elements + bytes(m_capacity);
}

bool ArrayBase::insertGap(uint32_t index) {
    if (m_count == UINT32_MAX || !reserve(m_count + 1)) return false;
    index = smaller(index, m_count);
    std::memmove(slot(index + 1), slot(index), bytes(m_count - index));
    ++m_count;
    return true;
}

bool ArrayBase::removeAt(uint32_t index, void* element) {
    if (index >= m_count) return false;
    if (element) std::memcpy(element, slot(index), elementSize());
    if (index + 1 < m_count) std::memmove(slot(index), slot(index + 1), bytes(m_count - index - 1));
    --m_count;
    return true;
}

bool ArrayBase::indexOfElement(const void* element, int32_t* index) const {
    const uint32_t size = elementSize();
    for (uint32_t i = 0; i < m_count; ++i) {
        if (std::memcmp(slot(i), element, size) == 0) {
            if (index) *index = static_cast<int32_t>(i);
            return true;
        }
    }
    if (index) *index = -1;
    return false;
}

uint32_t ArrayBase::copyTo(ArrayBase* target, uint32_t targetIndex, uint32_t sourceIndex,
                           int32_t count) const {
    if (!target || target->m_shift != m_shift || sourceIndex > m_count) return 0;
    uint32_t n = clampCount(count, m_count - sourceIndex);
    return n && target->writeAt(m_elements, n, sourceIndex, targetIndex) ? n : 0;
}

uint32_t ArrayBase::copyFrom(const ArrayBase* source, uint32_t sourceIndex, uint32_t targetIndex,
                             int32_t count) {
    return source ? source->copyTo(this, targetIndex, sourceIndex, count) : 0;
}

bool ArrayBase::setCount(uint32_t n) {
    if (!setCapacity(n)) return false;
    m_count = n;
    return true;
}

uint32_t ArrayBase::read(void* buffer, uint32_t bufferIndex, uint32_t sourceIndex,
                         int32_t count) const {
    if (!buffer || sourceIndex > m_count) return 0;
    uint32_t n = clampCount(count, m_count - sourceIndex);
    if (n) std::memmove(static_cast<uint8_t*>(buffer) + bytes(bufferIndex), slot(sourceIndex), bytes(n));
    return n;
}

// A source inside this array's own block is found again by its offset after the block
// may have been replaced, and copied with memmove.
bool ArrayBase::writeAt(const void* source, uint32_t count, uint32_t sourceIndex,
                        uint32_t targetIndex) {
    if (count == 0) return true;
    if (!source) return false;
    uint64_t end = static_cast<uint64_t>(targetIndex) + count;
    if (end > UINT32_MAX) return false;
    const uint8_t* from = static_cast<const uint8_t*>(source) + bytes(sourceIndex);
    const bool inside = isInsideBlock(from);
    const size_t offset = inside ? static_cast<size_t>(from - m_elements) : 0;
    if (!setCapacity(static_cast<uint32_t>(end))) return false;
    if (inside) from = m_elements + offset;
    if (targetIndex > m_count) std::memset(slot(m_count), 0, bytes(targetIndex - m_count));
    std::memmove(slot(targetIndex), from, bytes(count));
    if (end > m_count) m_count = static_cast<uint32_t>(end);
    return true;
}

bool ArrayBase::append(const void* source, uint32_t count, uint32_t sourceIndex) {
    if (count == 0) return true;
    if (!source || count > UINT32_MAX - m_count) return false;
    const uint8_t* from = static_cast<const uint8_t*>(source) + bytes(sourceIndex);
    const bool inside = isInsideBlock(from);
    const size_t offset = inside ? static_cast<size_t>(from - m_elements) : 0;
    bool room = count == 1 ? (m_count < m_capacity || grow()) : reserve(m_count + count);
    if (!room) return false;
    if (inside) from = m_elements + offset;
    std::memmove(slot(m_count), from, bytes(count));
    m_count += count;
    return true;
}

bool ArrayBase::prepend(const void* source, uint32_t count, uint32_t sourceIndex) {
    return insertAt(0, source, count, sourceIndex);
}

bool ArrayBase::insertAt(uint32_t index, const void* source, uint32_t count, uint32_t sourceIndex) {
    if (index >= m_count) return append(source, count, sourceIndex);
    if (count == 0) return true;
    if (!source || count > UINT32_MAX - m_count) return false;
    const uint8_t* from = static_cast<const uint8_t*>(source) + bytes(sourceIndex);
    if (!isInsideBlock(from)) return insertCopy(index, from, count, 0);
    // Part of the source may move with the tail: insert from a copy of it.
    uint8_t* copy = new (std::nothrow) uint8_t[bytes(count)];
    if (!copy) return false;
    std::memcpy(copy, from, bytes(count));
    bool done = insertCopy(index, copy, count, 0);
    delete[] copy;
    return done;
}

bool ArrayBase::insertCopy(uint32_t index, const void* source, uint32_t count, uint32_t sourceIndex) {
    bool room = count == 1 ? (m_count < m_capacity || grow()) : reserve(m_count + count);
    if (!room) return false;
    std::memmove(slot(index + count), slot(index), bytes(m_count - index));
    std::memcpy(slot(index), static_cast<const uint8_t*>(source) + bytes(sourceIndex), bytes(count));
    m_count += count;
    return true;
}

uint32_t ArrayBase::dropLast(uint32_t n) {
    n = smaller(n, m_count);
    m_count -= n;
    return n;
}

uint32_t ArrayBase::dropFirst(uint32_t n) { return removeRange(0, n); }

uint32_t ArrayBase::removeRange(uint32_t index, uint32_t n) {
    if (index >= m_count) return 0;
    n = smaller(n, m_count - index);
    std::memmove(slot(index), slot(index + n), bytes(m_count - index - n));
    m_count -= n;
    return n;
}

uint32_t ArrayBase::takeLast(void* buffer, uint32_t n, uint32_t bufferIndex) {
    n = smaller(n, m_count);
    return takeRange(m_count - n, buffer, n, bufferIndex);
}

uint32_t ArrayBase::takeFirst(void* buffer, uint32_t n, uint32_t bufferIndex) {
    return takeRange(0, buffer, n, bufferIndex);
}

uint32_t ArrayBase::takeRange(uint32_t index, void* buffer, uint32_t n, uint32_t bufferIndex) {
    if (!buffer || index >= m_count) return 0;
    n = smaller(n, m_count - index);
    std::memmove(static_cast<uint8_t*>(buffer) + bytes(bufferIndex), slot(index), bytes(n));
    return removeRange(index, n);
}

int32_t ArrayBase::compareRange(uint32_t index, const void* data, uint32_t dataCount,
                                uint32_t dataIndex, int32_t n) const {
    const uint32_t mine = index < m_count ? m_count - index : 0;
    const uint32_t theirs = data && dataIndex < dataCount ? dataCount - dataIndex : 0;
    const uint32_t wanted = n < 0 ? (mine > theirs ? mine : theirs) : static_cast<uint32_t>(n);
    const uint32_t common = smaller(smaller(mine, theirs), wanted);
    if (common) {
        int r = std::memcmp(slot(index), static_cast<const uint8_t*>(data) + bytes(dataIndex),
                            bytes(common));
        if (r) return sign(r);
    }
    if (common == wanted) return 0;
    return mine < theirs ? -1 : 1;
}

void ArrayBase::clear() {
    m_count = 0;
    rewind();
}

void ArrayBase::freeBuffer() {
    delete[] m_elements;
    m_elements = nullptr;
    m_count = 0;
    m_capacity = 0;
    rewind();
}

bool ArrayBase::swap(uint32_t i, uint32_t j) {
    uint32_t temp;
    return swapWithTemp(i, j, &temp);
}

bool ArrayBase::swapWithTemp(uint32_t i, uint32_t j, void* temp) {
    if (i >= m_count || j >= m_count || !temp) return false;
    const uint32_t size = elementSize();
    std::memcpy(temp, slot(i), size);
    std::memcpy(slot(i), slot(j), size);
    std::memcpy(slot(j), temp, size);
    return true;
}

void ArrayBase::reverse() {
    for (uint32_t i = 0, j = m_count; i + 1 < j; ++i, --j) swap(i, j - 1);
}

uint64_t ArrayBase::byteSize(int32_t n) const {
    return static_cast<uint64_t>(n < 0 ? m_count : static_cast<uint32_t>(n)) << m_shift;
}

ArrayBase::StrBuffer* ArrayBase::contentXml(StrBuffer* string, bool append) const {
    StrBuffer* out = s::str::strbuffer::resultString(string, append);
    if (!out) return nullptr;
    for (uint32_t i = 0; i < m_count; ++i) appendElementHex(out, slot(i));
    return out;
}

ArrayBase::StrBuffer* ArrayBase::toText(StrBuffer* string, bool append) const {
    StrBuffer* out = s::str::strbuffer::resultString(string, append);
    if (!out) return nullptr;
    out->appendText(classId());
    out->appendText(L" [");
    for (uint32_t i = 0; i < m_count; ++i) {
        if (i) out->appendChar(L' ');
        appendElementText(out, slot(i));
    }
    out->appendChar(L']');
    return out;
}

ArrayBase::StrBuffer* ArrayBase::toXml(StrBuffer* string, bool append) const {
    StrBuffer* out = s::str::strbuffer::resultString(string, append);
    if (!out) return nullptr;
    out->appendChar(L'<');
    out->appendText(classId());
    out->appendText(L" length=\"");
    out->appendUInt32(m_count);
    out->appendText(L"\">");
    contentXml(out, true);
    out->appendText(L"</");
    out->appendText(classId());
    out->appendChar(L'>');
    return out;
}

ArrayBase::StrBuffer* ArrayBase::digest(s::digest::IDigester* digester, StrBuffer* result,
                                        bool append) const {
    return s::digest::md5::digestHex(digester, m_elements, bytes(m_count), result, append);
}

int32_t ArrayBase::compareTo(const s::base::IComparable* other,
                             s::base::IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other);
    const ArrayBase* array = dynamic_cast<const ArrayBase*>(other);
    if (!array || array->m_shift != m_shift) return IComparable::compareTo(other, nullptr);
    if (m_count != array->m_count) return m_count < array->m_count ? -1 : 1;
    s::base::IComparator* elements = elementComparator();
    for (uint32_t i = 0; i < m_count; ++i) {
        int r = elements->compare(slot(i), array->slot(i));
        if (r) return r;
    }
    return 0;
}

s::io::IInputStream* ArrayBase::inputStream() {
    s::col::CollectionInputStream* stream = s::thread::Pool<s::col::CollectionInputStream>::obtain();
    if (stream) stream->setCollection(this);
    return stream;
}

s::col::IteratorBase* ArrayBase::iterator() { return Iterator::over(this, 0, -1); }

s::col::IteratorBase* ArrayBase::iteratorAtEnd() {
    return Iterator::over(this, m_count, static_cast<int32_t>(m_count));
}

s::col::IteratorBase* ArrayBase::iteratorAt(uint32_t i) {
    i = smaller(i, m_count);
    return Iterator::over(this, i, static_cast<int32_t>(i) - 1);
}

s::col::IteratorBase* ArrayBase::iteratorFromEnd(uint32_t n) {
    uint32_t at = m_count - smaller(n, m_count);
    return Iterator::over(this, at, static_cast<int32_t>(at));
}

void* ArrayBase::elementAt(uint32_t i) { return i < m_count ? slot(i) : nullptr; }

}  // namespace s::col::_array
