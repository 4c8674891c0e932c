// s/str/strbuffer/StrBuffer.h
//
// The system's one string: a growable run of UTF-16 units (embedded zeros allowed and
// counted) that hands out a terminated C string on demand and is a memory stream over its
// bytes. Pooled: results that are new strings or arrays come from their pools and belong to
// the caller. No lock: a string shared between threads is guarded by its owner.
#pragma once
#include <cstdint>

#include "s/io/MemoryStream.h"
#include "s/str/IStr.h"

namespace s::str::strbuffer {

// Every index and count is clamped to the content, so no argument makes a call read or write
// outside the block; texts passed with an explicit count must hold that many units. A text
// may be (part of) this string's own content. A failed allocation keeps the old content and
// answers false (or null). Searches fold only A-Z and a-z; their out index is left untouched
// on a miss. Implemented in StrBuffer.cpp (storage, appends, comparison, iterators),
// StrBufferSearch.cpp (searching, trimming, replacing, splitting) and StrBufferConvert.cpp
// (code pages, numbers, hexadecimal, digest).
class StrBuffer final : public s::str::IStr, public s::io::MemoryStream {
public:
    StrBuffer() = default;
    ~StrBuffer() override;
    StrBuffer(const StrBuffer&) = delete;
    StrBuffer& operator=(const StrBuffer&) = delete;

    // Storage
    void terminate() const override;
    uint32_t length() const override { return m_length; }
    void setLength(uint32_t n) override;  // at most the capacity
    uint32_t capacity() const override { return m_capacity; }
    bool setCapacity(uint32_t n) override;
    bool grow() override;
    bool reserve(uint32_t n) override;
    void clear() override;
    void freeBuffer() override;
    wchar_t* chars() const override { return m_chars; }  // may be null, not terminated
    const wchar_t* cString() const override;

    // Characters and case (only A-Z and a-z change)
    void reverse() override;
    void toLower() override;
    void toUpper() override;
    void capitalize() override;
    wchar_t charAt(uint32_t i) const override;  // 0 beyond the length
    wchar_t lowerCharAt(uint32_t i) const override;
    wchar_t upperCharAt(uint32_t i) const override;

    // Searching. A start or end of kEnd means the end of the string; a set or text count
    // of -1 means up to its zero terminator.
    bool indexOf(wchar_t ch, uint32_t* out, uint32_t from = 0) const override;
    bool indexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t from = 0) const override;
    bool indexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t from = 0) const override;
    bool indexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                              uint32_t from = 0) const override;
    bool lastIndexOf(wchar_t ch, uint32_t* out, uint32_t end = kEnd) const override;
    bool lastIndexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t end = kEnd) const override;
    bool lastIndexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out,
                        uint32_t end = kEnd) const override;
    bool lastIndexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                                  uint32_t end = kEnd) const override;
    bool find(const wchar_t* text, uint32_t* out, uint32_t from = 0) const override;
    bool findIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t from = 0) const override;
    bool findLast(const wchar_t* text, uint32_t* out, uint32_t end = kEnd) const override;
    bool findLastIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t end = kEnd) const override;
    // count -1: all of text from textIndex, and the region must end where this string ends.
    bool regionMatches(uint32_t index, const wchar_t* text, uint32_t textIndex,
                       int32_t count) const override;
    bool regionMatchesIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                 int32_t count) const override;
    bool endsWith(const wchar_t* text, int32_t count = -1) const override;
    bool endsWithIgnoreCase(const wchar_t* text, int32_t count = -1) const override;
    bool startsWith(const wchar_t* text, int32_t count = -1) const override;
    bool startsWithIgnoreCase(const wchar_t* text, int32_t count = -1) const override;

    // Trimming; the whitespace set is space, LF, U+3000, tab and CR.
    void trimEndWhitespace() override;
    void trimEndWhitespaceKeeping(uint32_t keep) override;  // never below length keep
    void trimEnd(const wchar_t* set, int32_t setCount = -1) override;
    void trimEndKeeping(const wchar_t* set, uint32_t keep, int32_t setCount = -1) override;
    void trimStartWhitespace() override;
    void trimStart(const wchar_t* set, int32_t setCount = -1) override;
    // -1 when index is beyond the length; else -1, 0 or 1 comparing the units from index
    // with text from textIndex, up to the first zero unit (count -1) or at most count units.
    int32_t compareAt(uint32_t index, const wchar_t* text, uint32_t textIndex = 0,
                      int32_t count = -1) const override;
    int32_t compareAtIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex = 0,
                                int32_t count = -1) const override;

    // Appending
    bool prepend(const wchar_t* text, int32_t count = -1) override;
    // Each byte becomes one unit, taken as a signed 8-bit value (0x80 gives U+FF80): for
    // ASCII only. count -1: up to the zero byte.
    bool appendBytes(const uint8_t* bytes, int32_t count) override;
    bool append(const wchar_t* text, int32_t count = -1) override;
    bool appendChar(wchar_t unit) override;
    // Lower-case hexadecimal without separators: 16, 8, 4 or 2 digits per value.
    bool appendHex64(uint64_t value) override;
    bool appendHex32(uint32_t value) override;
    bool appendHex16(uint16_t value) override;
    bool appendHex8(uint8_t value) override;
    bool appendHex64(const uint64_t* values, uint32_t count) override;
    bool appendHex32(const uint32_t* values, uint32_t count) override;
    bool appendHex16(const uint16_t* values, uint32_t count) override;
    bool appendHex8(const uint8_t* values, uint32_t count) override;
    bool appendHex32Pairs(const uint32_t* values, uint32_t pairCount) override;

    // Replacing and extracting. Matches are found left to right, never overlapping; an
    // empty find text changes nothing. Answers the number of replacements.
    uint32_t replaceAll(const wchar_t* find, const wchar_t* replacement) override;
    uint32_t replaceAllIgnoreCase(const wchar_t* find, const wchar_t* replacement) override;
    StrBuffer* clone() const override;
    void keepRange(uint32_t start, uint32_t end) override;  // units start to min(end, length)
    StrBuffer* substring(uint32_t start, uint32_t end = kToEnd) const override;
    // substring(0, last occurrence) or an empty string when there is none.
    StrBuffer* prefixToLastChar(wchar_t ch, uint32_t end = kEnd) const override;
    StrBuffer* prefixToLastCharIgnoreCase(wchar_t ch, uint32_t end = kEnd) const override;
    StrBuffer* prefixToLastAny(const wchar_t* set, int32_t setCount, uint32_t end = kEnd) const override;
    StrBuffer* prefixToLastAnyIgnoreCase(const wchar_t* set, int32_t setCount,
                                         uint32_t end = kEnd) const override;
    StrBuffer* prefixToLastString(const wchar_t* text, uint32_t end = kEnd) const override;
    StrBuffer* prefixToLastStringIgnoreCase(const wchar_t* text, uint32_t end = kEnd) const override;

    // Digest and code pages. Byte results go into the caller's array (emptied unless
    // append) or a pooled one; null when the conversion failed (the caller's array then
    // keeps its content). The set* operations replace the content (or append to it) and
    // answer false, content unchanged, on failure. byteCount -1: up to the zero byte (for
    // UTF-16 code pages: the zero unit).
    StrBuffer* digest(s::digest::IDigester* digester, StrBuffer* result, bool append) const override;
    ArrayU08* toUtf8WithTerminator(ArrayU08* array, bool append) const override;
    ArrayU08* toUtf8(ArrayU08* array, bool append) const override;
    bool setFromUtf8(const uint8_t* bytes, bool append, int32_t byteCount = -1) override;
    ArrayU08* toCodePageWithTerminator(const CodePage* codePage, ArrayU08* array,
                                       bool append) const override;
    ArrayU08* toCodePage(const CodePage* codePage, ArrayU08* array, bool append) const override;
    bool setFromCodePage(const CodePage* codePage, const uint8_t* bytes, bool append,
                         int32_t byteCount = -1) override;
    ArrayU08* toOemWithTerminator(ArrayU08* array, bool append) const override;
    ArrayU08* toOem(ArrayU08* array, bool append) const override;
    bool setFromOem(const uint8_t* bytes, bool append, int32_t byteCount = -1) override;

    // Numbers and hexadecimal text
    int32_t toInt() const override;
    int64_t toInt64() const override;
    float toFloat() const override;
    bool isHex() const override;
    uint32_t hexDigitValue(uint32_t i) const override;  // 0 for a unit that is no hex digit
    uint32_t parseHex() const override;
    ArrayU08* hexToBytes(ArrayU08* array, bool append) const override;
    bool isInteger() const override;
    StrArray* split(wchar_t ch) const override;  // the non-empty pieces between ch
    StrArray* distinctWords(bool skipStopWords) const override;
    wchar_t* charPointer(uint32_t i) const override;  // null beyond the length
    bool appendAscii(const char* bytes) override;
    bool appendInt64(int64_t value) override;
    bool appendUInt32(uint32_t value) override;
    bool appendUInt16(uint16_t value) override;
    bool appendUInt8(uint8_t value) override;
    bool appendInt32(int32_t value) override;
    bool appendInt16(int16_t value) override;
    bool appendInt8(int8_t value) override;
    bool appendFloat(float value) override;  // "%f"
    bool appendDouble(double value) override;
    bool appendStr(const StrBuffer* other) override;
    bool appendText(const wchar_t* text) override;
    bool setInt64(int64_t value) override;
    bool setUInt32(uint32_t value) override;
    bool setUInt16(uint16_t value) override;
    bool setUInt8(uint8_t value) override;
    bool setInt32(int32_t value) override;
    bool setInt16(int16_t value) override;
    bool setInt8(int8_t value) override;
    bool setFloat(float value) override;
    bool setDouble(double value) override;
    bool setStr(const StrBuffer* other) override;
    bool setText(const wchar_t* text) override;

    // Pooled iterators over the units: iteratorAt(-1) is the end, iteratorFromEnd(-1) the start.
    s::col::IteratorBase* iterator() override;
    s::col::IteratorBase* iteratorAtEnd() override;
    s::col::IteratorBase* iteratorAt(int32_t i) override;
    s::col::IteratorBase* iteratorFromEnd(int32_t n) override;

    // IComparable. compareTo orders by bytes in memory (the low byte of a unit first), then
    // the shorter first; the ignore-case forms fold A-Z. The comparator is used only by
    // equals and equalsIgnoreCase, as the object model has it.
    int32_t compareTo(const s::base::IComparable* other,
                      s::base::IComparator* comparator = nullptr) const override;
    int32_t compareToIgnoreCase(const s::base::IComparable* other,
                                s::base::IComparator* comparator = nullptr) const override;
    bool equals(const s::base::IComparable* other,
                s::base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const s::base::IComparable* other,
                          s::base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_str_strbuffer_StrBuffer"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: frees the block
    void releaseToPool() override;
    void resetForReuse() override { freeBuffer(); }

    // IInputStream and IOutputStream (MemoryStream) over the length * 2 bytes (UTF-16LE):
    // writing raises the length to position / 2.

private:
    bool reallocate(uint32_t capacity);
    bool roomFor(uint32_t more);  // one growth step for one unit, else reserve once
    bool isInsideBlock(const void* p) const;
    uint32_t sourceLength(const wchar_t* text, int32_t count) const;
    bool appendFormatted(const wchar_t* format, ...);
    bool setFormatted(const wchar_t* text, int32_t count);
    uint32_t searchEnd(uint32_t end) const;
    bool search(const wchar_t* text, uint32_t* out, uint32_t from, bool fold) const;
    bool searchLast(const wchar_t* text, uint32_t* out, uint32_t end, bool fold) const;
    bool searchUnit(wchar_t ch, uint32_t* out, uint32_t from, bool fold) const;
    bool searchLastUnit(wchar_t ch, uint32_t* out, uint32_t end, bool fold) const;
    bool searchAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t from, bool fold) const;
    bool searchLastAny(const wchar_t* set, int32_t setCount, uint32_t* out, uint32_t end, bool fold) const;
    bool matchesAt(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t count, bool fold) const;
    bool edgeMatches(const wchar_t* text, int32_t count, bool atEnd, bool fold) const;
    int32_t compareFrom(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t count,
                        bool fold) const;
    void trimEndIn(const wchar_t* set, int32_t setCount, uint32_t keep);
    uint32_t replace(const wchar_t* find, const wchar_t* replacement, bool fold);
    uint32_t replaceGrowing(const wchar_t* find, uint32_t findLength, const wchar_t* replacement,
                            uint32_t replacementLength, bool fold);
    StrBuffer* prefixTo(bool found, uint32_t index) const;
    ArrayU08* encode(uint32_t number, ArrayU08* array, bool append, bool terminator) const;
    bool decode(uint32_t number, const uint8_t* bytes, bool append, int32_t byteCount);
    s::col::IteratorBase* iteratorPlaced(uint32_t cursor, int32_t index);
    void swapContent(StrBuffer& other);

    // MemoryStream
    uint8_t* streamBlock() const override { return reinterpret_cast<uint8_t*>(m_chars); }
    uint32_t streamCount() const override { return m_length; }
    uint32_t streamCapacity() const override { return m_capacity; }
    uint32_t streamShift() const override { return 1; }
    bool streamReserve(uint32_t units) override { return reserve(units); }
    void setStreamCount(uint32_t units) override { m_length = units; }

    wchar_t* m_chars = nullptr;  // capacity + 1 units
    uint32_t m_length = 0;
    uint32_t m_capacity = 0;
};

// The caller's string (cleared unless append) or, when none is given, a pooled one; null
// only when the pool has none to give.
StrBuffer* resultString(StrBuffer* given, bool append);

// Pooled strings made from texts (null texts count as empty); null when none could be made.
StrBuffer* newStrBuffer(const wchar_t* text);
StrBuffer* newStrBufferConcat(const wchar_t* first, const wchar_t* second);
StrBuffer* newStrBufferPath(const wchar_t* folder, const wchar_t* name);      // folder\name
StrBuffer* newStrBufferLinkPath(const wchar_t* folder, const wchar_t* name);  // folder\name.lnk

// The compareToIgnoreCase order of two strings, for sorting path names; null comes first.
int compareStrBuffersIgnoreCase(const StrBuffer* a, const StrBuffer* b);

}  // namespace s::str::strbuffer
