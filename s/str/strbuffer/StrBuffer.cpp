// s/str/strbuffer/StrBuffer.cpp
//
// Storage, appends and assignment, extraction, comparison, iterators and the free
// functions. Searching is in StrBufferSearch.cpp, conversions in
// StrBufferConvert.cpp.
#include "s/str/strbuffer/StrBuffer.h"

#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <new>

#include "s/base/IComparator.h"
#include "s/col/_array/Growth.h"
#include "s/str/strbuffer/AsciiCase.h"
#include "s/str/strbuffer/Iterator.h"
#include "s/thread/Pool.h"

namespace s::str::strbuffer {

namespace {

// Blocks stay below 2 GB: a 32-bit process cannot hold more, and sizes stay in range.
constexpr uint64_t kMaxBlockBytes = 0x7FFFFFFFu;

uint32_t textLength(const wchar_t* text, int32_t count) {
    if (!text) return 0;
    return count < 0 ? static_cast<uint32_t>(std::wcslen(text)) : static_cast<uint32_t>(count);
}

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

uint32_t hashStep(uint32_t h, wchar_t unit) { return ((h << 1) | ((h >> 30) & 1)) ^ unit; }

}  // namespace

StrBuffer::~StrBuffer() { delete[] m_chars; }

// Storage

bool StrBuffer::reallocate(uint32_t capacity) {
    uint64_t units = static_cast<uint64_t>(capacity) + 1;
    if (units * sizeof(wchar_t) > kMaxBlockBytes) return false;
    wchar_t* block = new (std::nothrow) wchar_t[static_cast<size_t>(units)];
    if (!block) return false;
    if (m_length) std::memcpy(block, m_chars, m_length * sizeof(wchar_t));
    delete[] m_chars;
    m_chars = block;
    m_capacity = capacity;
    return true;
}

void StrBuffer::terminate() const {
    if (m_length > 0 && m_chars[m_length] != 0) m_chars[m_length] = 0;
}

void StrBuffer::setLength(uint32_t n) { m_length = n < m_capacity ? n : m_capacity; }

bool StrBuffer::setCapacity(uint32_t n) { return n <= m_capacity || reallocate(n); }

bool StrBuffer::grow() {
    uint32_t next = s::col::_array::nextCapacity(m_capacity);
    return next > m_capacity && reallocate(next);
}

bool StrBuffer::reserve(uint32_t n) {
    return n <= m_capacity || reallocate(s::col::_array::capacityFor(m_capacity, n));
}

bool StrBuffer::roomFor(uint32_t more) {
    if (more > UINT32_MAX - m_length) return false;
    if (more == 1) return m_length < m_capacity || grow();
    return reserve(m_length + more);
}

bool StrBuffer::isInsideBlock(const void* p) const {
    const wchar_t* u = static_cast<const wchar_t*>(p);
    return m_chars && u >= m_chars && u <= m_chars + m_capacity;
}

// A text that lies in this string's own block ends at the content's end at the latest.
uint32_t StrBuffer::sourceLength(const wchar_t* text, int32_t count) const {
    if (!isInsideBlock(text)) return textLength(text, count);
    const uint32_t left = text < m_chars + m_length ? static_cast<uint32_t>(m_chars + m_length - text) : 0;
    if (count >= 0) return static_cast<uint32_t>(count) < left ? static_cast<uint32_t>(count) : left;
    uint32_t n = 0;
    while (n < left && text[n]) ++n;
    return n;
}

void StrBuffer::clear() {
    m_length = 0;
    rewind();
}

void StrBuffer::freeBuffer() {
    delete[] m_chars;
    m_chars = nullptr;
    m_length = 0;
    m_capacity = 0;
    rewind();
}

const wchar_t* StrBuffer::cString() const {
    if (m_length == 0) return L"";
    terminate();
    return m_chars;
}

// Characters and case

void StrBuffer::reverse() {
    for (uint32_t i = 0, j = m_length; i + 1 < j; ++i, --j) {
        wchar_t t = m_chars[i];
        m_chars[i] = m_chars[j - 1];
        m_chars[j - 1] = t;
    }
}

void StrBuffer::toLower() {
    for (uint32_t i = 0; i < m_length; ++i) m_chars[i] = lowerAscii(m_chars[i]);
}

void StrBuffer::toUpper() {
    for (uint32_t i = 0; i < m_length; ++i) m_chars[i] = upperAscii(m_chars[i]);
}

void StrBuffer::capitalize() {
    toLower();
    if (m_length) m_chars[0] = upperAscii(m_chars[0]);
}

wchar_t StrBuffer::charAt(uint32_t i) const { return i < m_length ? m_chars[i] : 0; }

wchar_t StrBuffer::lowerCharAt(uint32_t i) const { return lowerAscii(charAt(i)); }

wchar_t StrBuffer::upperCharAt(uint32_t i) const { return upperAscii(charAt(i)); }

wchar_t* StrBuffer::charPointer(uint32_t i) const { return m_chars && i <= m_length ? m_chars + i : nullptr; }

// Appending and assignment. A text inside this string's own block is found again by its
// offset once the block may have been replaced.

bool StrBuffer::append(const wchar_t* text, int32_t count) {
    const uint32_t n = sourceLength(text, count);
    if (n == 0) return true;
    const bool inside = isInsideBlock(text);
    const size_t offset = inside ? static_cast<size_t>(text - m_chars) : 0;
    if (!roomFor(n)) return false;
    if (inside) text = m_chars + offset;
    std::memmove(m_chars + m_length, text, n * sizeof(wchar_t));
    m_length += n;
    return true;
}

bool StrBuffer::appendChar(wchar_t unit) {
    if (m_length == m_capacity && !grow()) return false;
    m_chars[m_length++] = unit;
    return true;
}

bool StrBuffer::appendText(const wchar_t* text) { return append(text, -1); }

bool StrBuffer::appendStr(const StrBuffer* other) {
    return !other || append(other->m_chars, static_cast<int32_t>(other->m_length));
}

bool StrBuffer::appendBytes(const uint8_t* bytes, int32_t count) {
    if (!bytes) return true;
    const uint32_t n = count < 0 ? static_cast<uint32_t>(std::strlen(reinterpret_cast<const char*>(bytes)))
                                 : static_cast<uint32_t>(count);
    if (n == 0) return true;
    if (!roomFor(n)) return false;
    for (uint32_t i = 0; i < n; ++i)
        m_chars[m_length + i] = static_cast<wchar_t>(static_cast<int16_t>(static_cast<int8_t>(bytes[i])));
    m_length += n;
    return true;
}

bool StrBuffer::appendAscii(const char* bytes) {
    return appendBytes(reinterpret_cast<const uint8_t*>(bytes), -1);
}

bool StrBuffer::prepend(const wchar_t* text, int32_t count) {
    const uint32_t n = sourceLength(text, count);
    if (n == 0) return true;
    if (isInsideBlock(text)) {
        // The text moves with the content it is part of: prepend a copy of it.
        StrBuffer copy;
        return copy.append(text, static_cast<int32_t>(n)) && prepend(copy.m_chars, static_cast<int32_t>(n));
    }
    if (!roomFor(n)) return false;
    std::memmove(m_chars + n, m_chars, m_length * sizeof(wchar_t));
    std::memcpy(m_chars, text, n * sizeof(wchar_t));
    m_length += n;
    return true;
}

bool StrBuffer::setText(const wchar_t* text) {
    const uint32_t n = sourceLength(text, -1);
    if (isInsideBlock(text)) {  // a part of this string: move it to the front
        std::memmove(m_chars, text, n * sizeof(wchar_t));
        m_length = n;
        return true;
    }
    if (!setCapacity(n)) return false;
    m_length = 0;
    return append(text, static_cast<int32_t>(n));
}

bool StrBuffer::setStr(const StrBuffer* other) {
    if (other == this) return true;
    if (!other || other->m_length == 0) {
        m_length = 0;
        return true;
    }
    if (!setCapacity(other->m_length)) return false;
    m_length = 0;
    return append(other->m_chars, static_cast<int32_t>(other->m_length));
}

// Extracting

StrBuffer* StrBuffer::clone() const { return substring(0, m_length); }

void StrBuffer::keepRange(uint32_t start, uint32_t end) {
    if (end > m_length) end = m_length;
    if (start >= end) {
        m_length = 0;
        return;
    }
    std::memmove(m_chars, m_chars + start, (end - start) * sizeof(wchar_t));
    m_length = end - start;
}

StrBuffer* StrBuffer::substring(uint32_t start, uint32_t end) const {
    StrBuffer* out = s::thread::Pool<StrBuffer>::obtain();
    if (!out) return nullptr;
    if (end > m_length) end = m_length;
    if (start < end && !out->append(m_chars + start, static_cast<int32_t>(end - start))) {
        out->releaseToPool();
        return nullptr;
    }
    return out;
}

void StrBuffer::swapContent(StrBuffer& other) {
    wchar_t* chars = m_chars;
    uint32_t length = m_length, capacity = m_capacity;
    m_chars = other.m_chars;
    m_length = other.m_length;
    m_capacity = other.m_capacity;
    other.m_chars = chars;
    other.m_length = length;
    other.m_capacity = capacity;
}

// IComparable

int32_t StrBuffer::compareTo(const s::base::IComparable* other, s::base::IComparator*) const {
    const StrBuffer* string = dynamic_cast<const StrBuffer*>(other);
    if (!string) return other ? IComparable::compareTo(other, nullptr) : 1;
    const uint32_t common = m_length < string->m_length ? m_length : string->m_length;
    if (common) {
        int r = std::memcmp(m_chars, string->m_chars, common * sizeof(wchar_t));
        if (r) return sign(r);
    }
    return m_length == string->m_length ? 0 : (m_length < string->m_length ? -1 : 1);
}

int32_t StrBuffer::compareToIgnoreCase(const s::base::IComparable* other, s::base::IComparator*) const {
    const StrBuffer* string = dynamic_cast<const StrBuffer*>(other);
    if (!string) return other ? IComparable::compareTo(other, nullptr) : 1;
    return compareStrBuffersIgnoreCase(this, string);
}

bool StrBuffer::equals(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other) == 0;
    const StrBuffer* string = dynamic_cast<const StrBuffer*>(other);
    return string && string->m_length == m_length &&
           (m_length == 0 || std::memcmp(m_chars, string->m_chars, m_length * sizeof(wchar_t)) == 0);
}

bool StrBuffer::equalsIgnoreCase(const s::base::IComparable* other,
                                 s::base::IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other) == 0;
    const StrBuffer* string = dynamic_cast<const StrBuffer*>(other);
    return string && string->m_length == m_length && compareFolded(m_chars, string->m_chars, m_length) == 0;
}

uint32_t StrBuffer::hashCode() const {
    uint32_t h = 0;
    for (uint32_t i = 0; i < m_length; ++i) h = hashStep(h, m_chars[i]);
    return h;
}

uint32_t StrBuffer::hashCodeIgnoreCase() const {
    uint32_t h = 0;
    for (uint32_t i = 0; i < m_length; ++i) h = hashStep(h, lowerAscii(m_chars[i]));
    return h;
}

// IObject, IPoolable

s::base::IObject* StrBuffer::newInstance() const { return s::thread::Pool<StrBuffer>::obtain(); }

void StrBuffer::releaseToPool() { s::thread::Pool<StrBuffer>::release(this); }

// Iterators

s::col::IteratorBase* StrBuffer::iteratorPlaced(uint32_t cursor, int32_t index) {
    return Iterator::over(this, cursor, index);
}

s::col::IteratorBase* StrBuffer::iterator() { return iteratorPlaced(0, -1); }

s::col::IteratorBase* StrBuffer::iteratorAtEnd() {
    return iteratorPlaced(m_length, static_cast<int32_t>(m_length));
}

s::col::IteratorBase* StrBuffer::iteratorAt(int32_t i) {
    uint32_t at = i < 0 || static_cast<uint32_t>(i) > m_length ? m_length : static_cast<uint32_t>(i);
    return iteratorPlaced(at, static_cast<int32_t>(at) - 1);
}

s::col::IteratorBase* StrBuffer::iteratorFromEnd(int32_t n) {
    uint32_t back = n < 0 || static_cast<uint32_t>(n) > m_length ? m_length : static_cast<uint32_t>(n);
    return iteratorPlaced(m_length - back, static_cast<int32_t>(m_length - back));
}

// Free functions

StrBuffer* resultString(StrBuffer* given, bool append) {
    if (!given) return s::thread::Pool<StrBuffer>::obtain();
    if (!append) given->clear();
    return given;
}

namespace {

// A pooled string of the texts one after the other; null when it could not be made whole.
StrBuffer* newJoined(std::initializer_list<const wchar_t*> texts) {
    StrBuffer* out = s::thread::Pool<StrBuffer>::obtain();
    if (!out) return nullptr;
    uint32_t total = 0;
    for (const wchar_t* t : texts) total += textLength(t, -1);
    bool ok = out->reserve(total);
    for (const wchar_t* t : texts) ok = ok && out->appendText(t);
    if (ok) return out;
    out->releaseToPool();
    return nullptr;
}

}  // namespace

StrBuffer* newStrBuffer(const wchar_t* text) { return newJoined({text}); }

StrBuffer* newStrBufferConcat(const wchar_t* first, const wchar_t* second) {
    return newJoined({first, second});
}

StrBuffer* newStrBufferPath(const wchar_t* folder, const wchar_t* name) {
    return newJoined({folder, L"\\", name});
}

StrBuffer* newStrBufferLinkPath(const wchar_t* folder, const wchar_t* name) {
    return newJoined({folder, L"\\", name, L".lnk"});
}

int compareStrBuffersIgnoreCase(const StrBuffer* a, const StrBuffer* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    const uint32_t common = a->length() < b->length() ? a->length() : b->length();
    int r = compareFolded(a->chars(), b->chars(), common);
    if (r) return r;
    return a->length() == b->length() ? 0 : (a->length() < b->length() ? -1 : 1);
}

}  // namespace s::str::strbuffer
