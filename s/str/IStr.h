// s/str/IStr.h
//
// The string operations, as an interface. StrBuffer (s/str/strbuffer) is its one
// implementation and documents each operation; the defaults of optional arguments are
// declared there, so callers use StrBuffer pointers. IObject comes first in the chain, so a
// string's pointer equals its IObject pointer.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"

namespace s::col { class IteratorBase; }
namespace s::col::_array { class ArrayU08; }
namespace s::digest { class IDigester; }
namespace s::str::strarray { class StrArray; }
namespace s::str::strbuffer { class StrBuffer; }
namespace s::system::codepage { class CodePage; }

namespace s::str {

class IStr : public s::base::IObject {
public:
    using ArrayU08 = s::col::_array::ArrayU08;
    using CodePage = s::system::codepage::CodePage;
    using StrArray = s::str::strarray::StrArray;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    static constexpr uint32_t kEnd = 0xFFFFFF;      // as a search start or end: the end
    static constexpr uint32_t kToEnd = 0xFFFFFFFF;  // as a range end: the end

    // Storage
    virtual void terminate() const = 0;
    virtual uint32_t length() const = 0;
    virtual void setLength(uint32_t n) = 0;
    virtual uint32_t capacity() const = 0;
    virtual bool setCapacity(uint32_t n) = 0;
    virtual bool grow() = 0;
    virtual bool reserve(uint32_t n) = 0;
    virtual void clear() = 0;
    virtual void freeBuffer() = 0;
    virtual wchar_t* chars() const = 0;
    virtual const wchar_t* cString() const = 0;

    // Characters and case (only A-Z and a-z change)
    virtual void reverse() = 0;
    virtual void toLower() = 0;
    virtual void toUpper() = 0;
    virtual void capitalize() = 0;
    virtual wchar_t charAt(uint32_t i) const = 0;
    virtual wchar_t lowerCharAt(uint32_t i) const = 0;
    virtual wchar_t upperCharAt(uint32_t i) const = 0;

    // Searching. A start or end of kEnd means the end of the string; a set or text count
    // of -1 means up to its zero terminator.
    virtual bool indexOf(wchar_t ch, uint32_t* out, uint32_t from) const = 0;
    virtual bool indexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t from) const = 0;
    virtual bool indexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out,
                            uint32_t from) const = 0;
    virtual bool indexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                                      uint32_t from) const = 0;
    virtual bool lastIndexOf(wchar_t ch, uint32_t* out, uint32_t end) const = 0;
    virtual bool lastIndexOfIgnoreCase(wchar_t ch, uint32_t* out, uint32_t end) const = 0;
    virtual bool lastIndexOfAny(const wchar_t* set, int32_t setCount, uint32_t* out,
                                uint32_t end) const = 0;
    virtual bool lastIndexOfAnyIgnoreCase(const wchar_t* set, int32_t setCount, uint32_t* out,
                                          uint32_t end) const = 0;
    virtual bool find(const wchar_t* text, uint32_t* out, uint32_t from) const = 0;
    virtual bool findIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t from) const = 0;
    virtual bool findLast(const wchar_t* text, uint32_t* out, uint32_t end) const = 0;
    virtual bool findLastIgnoreCase(const wchar_t* text, uint32_t* out, uint32_t end) const = 0;
    // count -1: all of text from textIndex, and the region must end where this string ends.
    virtual bool regionMatches(uint32_t index, const wchar_t* text, uint32_t textIndex,
                               int32_t count) const = 0;
    virtual bool regionMatchesIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                         int32_t count) const = 0;
    virtual bool endsWith(const wchar_t* text, int32_t count) const = 0;
    virtual bool endsWithIgnoreCase(const wchar_t* text, int32_t count) const = 0;
    virtual bool startsWith(const wchar_t* text, int32_t count) const = 0;
    virtual bool startsWithIgnoreCase(const wchar_t* text, int32_t count) const = 0;

    // Trimming; the whitespace set is space, LF, U+3000, tab and CR.
    virtual void trimEndWhitespace() = 0;
    virtual void trimEndWhitespaceKeeping(uint32_t keep) = 0;
    virtual void trimEnd(const wchar_t* set, int32_t setCount) = 0;
    virtual void trimEndKeeping(const wchar_t* set, uint32_t keep, int32_t setCount) = 0;
    virtual void trimStartWhitespace() = 0;
    virtual void trimStart(const wchar_t* set, int32_t setCount) = 0;
    // -1 when index is beyond the length; else -1, 0 or 1 comparing the units from index
    // with text from textIndex, up to the first zero unit (count -1) or at most count units.
    virtual int32_t compareAt(uint32_t index, const wchar_t* text, uint32_t textIndex,
                              int32_t count) const = 0;
    virtual int32_t compareAtIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                        int32_t count) const = 0;

    // Appending
    virtual bool prepend(const wchar_t* text, int32_t count) = 0;
    // Each byte becomes one unit, taken as a signed 8-bit value (0x80 gives U+FF80): for
    // ASCII only. count -1: up to the zero byte.
    virtual bool appendBytes(const uint8_t* bytes, int32_t count) = 0;
    virtual bool append(const wchar_t* text, int32_t count) = 0;
    virtual bool appendChar(wchar_t unit) = 0;
    // Lower-case hexadecimal without separators: 16, 8, 4 or 2 digits per value.
    virtual bool appendHex64(uint64_t value) = 0;
    virtual bool appendHex32(uint32_t value) = 0;
    virtual bool appendHex16(uint16_t value) = 0;
    virtual bool appendHex8(uint8_t value) = 0;
    virtual bool appendHex64(const uint64_t* values, uint32_t count) = 0;
    virtual bool appendHex32(const uint32_t* values, uint32_t count) = 0;
    virtual bool appendHex16(const uint16_t* values, uint32_t count) = 0;
    virtual bool appendHex8(const uint8_t* values, uint32_t count) = 0;
    virtual bool appendHex32Pairs(const uint32_t* values, uint32_t pairCount) = 0;

    // Replacing and extracting. Matches are found left to right, never overlapping; an
    // empty find text changes nothing. Answers the number of replacements.
    virtual uint32_t replaceAll(const wchar_t* find, const wchar_t* replacement) = 0;
    virtual uint32_t replaceAllIgnoreCase(const wchar_t* find, const wchar_t* replacement) = 0;
    virtual StrBuffer* clone() const = 0;
    virtual void keepRange(uint32_t start, uint32_t end) = 0;
    virtual StrBuffer* substring(uint32_t start, uint32_t end) const = 0;
    // substring(0, last occurrence) or an empty string when there is none.
    virtual StrBuffer* prefixToLastChar(wchar_t ch, uint32_t end) const = 0;
    virtual StrBuffer* prefixToLastCharIgnoreCase(wchar_t ch, uint32_t end) const = 0;
    virtual StrBuffer* prefixToLastAny(const wchar_t* set, int32_t setCount,
                                       uint32_t end) const = 0;
    virtual StrBuffer* prefixToLastAnyIgnoreCase(const wchar_t* set, int32_t setCount,
                                                 uint32_t end) const = 0;
    virtual StrBuffer* prefixToLastString(const wchar_t* text, uint32_t end) const = 0;
    virtual StrBuffer* prefixToLastStringIgnoreCase(const wchar_t* text, uint32_t end) const = 0;

    // Digest and code pages. Byte results go into the caller's array (emptied unless
    // append) or a pooled one; null when the conversion failed (the caller's array then
    // keeps its content). The set* operations replace the content (or append to it) and
    // answer false, content unchanged, on failure. byteCount -1: up to the zero byte (for
    // UTF-16 code pages: the zero unit).
    virtual StrBuffer* digest(s::digest::IDigester* digester, StrBuffer* result,
                              bool append) const = 0;
    virtual ArrayU08* toUtf8WithTerminator(ArrayU08* array, bool append) const = 0;
    virtual ArrayU08* toUtf8(ArrayU08* array, bool append) const = 0;
    virtual bool setFromUtf8(const uint8_t* bytes, bool append, int32_t byteCount) = 0;
    virtual ArrayU08* toCodePageWithTerminator(const CodePage* codePage, ArrayU08* array,
                                               bool append) const = 0;
    virtual ArrayU08* toCodePage(const CodePage* codePage, ArrayU08* array, bool append) const = 0;
    virtual bool setFromCodePage(const CodePage* codePage, const uint8_t* bytes, bool append,
                                 int32_t byteCount) = 0;
    virtual ArrayU08* toOemWithTerminator(ArrayU08* array, bool append) const = 0;
    virtual ArrayU08* toOem(ArrayU08* array, bool append) const = 0;
    virtual bool setFromOem(const uint8_t* bytes, bool append, int32_t byteCount) = 0;

    // Numbers and hexadecimal text
    virtual int32_t toInt() const = 0;
    virtual int64_t toInt64() const = 0;
    virtual float toFloat() const = 0;
    virtual bool isHex() const = 0;
    virtual uint32_t hexDigitValue(uint32_t i) const = 0;
    virtual uint32_t parseHex() const = 0;
    virtual ArrayU08* hexToBytes(ArrayU08* array, bool append) const = 0;
    virtual bool isInteger() const = 0;
    virtual StrArray* split(wchar_t ch) const = 0;
    virtual StrArray* distinctWords(bool skipStopWords) const = 0;
    virtual wchar_t* charPointer(uint32_t i) const = 0;
    virtual bool appendAscii(const char* bytes) = 0;
    virtual bool appendInt64(int64_t value) = 0;
    virtual bool appendUInt32(uint32_t value) = 0;
    virtual bool appendUInt16(uint16_t value) = 0;
    virtual bool appendUInt8(uint8_t value) = 0;
    virtual bool appendInt32(int32_t value) = 0;
    virtual bool appendInt16(int16_t value) = 0;
    virtual bool appendInt8(int8_t value) = 0;
    virtual bool appendFloat(float value) = 0;
    virtual bool appendDouble(double value) = 0;
    virtual bool appendStr(const StrBuffer* other) = 0;
    virtual bool appendText(const wchar_t* text) = 0;
    virtual bool setInt64(int64_t value) = 0;
    virtual bool setUInt32(uint32_t value) = 0;
    virtual bool setUInt16(uint16_t value) = 0;
    virtual bool setUInt8(uint8_t value) = 0;
    virtual bool setInt32(int32_t value) = 0;
    virtual bool setInt16(int16_t value) = 0;
    virtual bool setInt8(int8_t value) = 0;
    virtual bool setFloat(float value) = 0;
    virtual bool setDouble(double value) = 0;
    virtual bool setStr(const StrBuffer* other) = 0;
    virtual bool setText(const wchar_t* text) = 0;

    // Pooled iterators over the units: iteratorAt(-1) is the end, iteratorFromEnd(-1) the start.
    virtual s::col::IteratorBase* iterator() = 0;
    virtual s::col::IteratorBase* iteratorAtEnd() = 0;
    virtual s::col::IteratorBase* iteratorAt(int32_t i) = 0;
    virtual s::col::IteratorBase* iteratorFromEnd(int32_t n) = 0;
};

}  // namespace s::str
