// s/str/strbuffer/StrBufferConvert.cpp
//
// Conversions: UTF-8, OEM and code-page bytes, decimal and floating-point numbers,
// hexadecimal text, and the digest of the content.
#include "s/str/strbuffer/StrBuffer.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "s/col/_array/ArrayU08.h"
#include "s/digest/md5/Md5.h"
#include "s/system/codepage/CodePage.h"
#include "s/system/codepage/CodePageCatalogue.h"
#include "s/thread/Pool.h"

namespace s::str::strbuffer {

namespace {

using s::col::_array::ArrayU08;

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kUtf16BigEndian = 1201;

// "%f" of the largest double has 309 digits before the point and 6 after (316 units, one
// more with a sign); every other number format is far shorter.
constexpr int kNumberRoom = 330;

// The converted text must stay below what one conversion call can take (an int).
constexpr uint64_t kMaxConvertedBytes = 0x7FFFFFF0u;

const wchar_t kHexDigits[] = L"0123456789abcdef";

uint32_t hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 0;
}

bool isHexUnit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// Writes `digits` lower-case hex digits of value at out.
void putHex(wchar_t* out, uint64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value >>= 4) out[i] = kHexDigits[value & 0xF];
}

}  // namespace

// Hexadecimal appends share this one body: every value gives `digits` digits.
template <class T>
static bool appendHexValues(StrBuffer& string, const T* values, uint32_t count, int digits) {
    if (count == 0) return true;
    if (!values) return false;
    const uint64_t units = static_cast<uint64_t>(count) * digits;
    if (units > UINT32_MAX - string.length() || !string.reserve(string.length() + static_cast<uint32_t>(units)))
        return false;
    wchar_t* out = string.chars() + string.length();
    for (uint32_t i = 0; i < count; ++i, out += digits) putHex(out, values[i], digits);
    string.setLength(string.length() + static_cast<uint32_t>(units));
    return true;
}

bool StrBuffer::appendHex64(uint64_t value) { return appendHexValues(*this, &value, 1, 16); }
bool StrBuffer::appendHex32(uint32_t value) { return appendHexValues(*this, &value, 1, 8); }
bool StrBuffer::appendHex16(uint16_t value) { return appendHexValues(*this, &value, 1, 4); }
bool StrBuffer::appendHex8(uint8_t value) { return appendHexValues(*this, &value, 1, 2); }
bool StrBuffer::appendHex64(const uint64_t* values, uint32_t count) {
    return appendHexValues(*this, values, count, 16);
}
bool StrBuffer::appendHex32(const uint32_t* values, uint32_t count) {
    return appendHexValues(*this, values, count, 8);
}
bool StrBuffer::appendHex16(const uint16_t* values, uint32_t count) {
    return appendHexValues(*this, values, count, 4);
}
bool StrBuffer::appendHex8(const uint8_t* values, uint32_t count) {
    return appendHexValues(*this, values, count, 2);
}
bool StrBuffer::appendHex32Pairs(const uint32_t* values, uint32_t pairCount) {
    return pairCount <= UINT32_MAX / 2 && appendHexValues(*this, values, pairCount * 2, 8);
}

// Numbers: msvcrt's formatting (called by name, so that mingw's C99 printf cannot stand in)
// into a buffer that fits every result; a number text therefore never comes out cut or
// with a broken length.
bool StrBuffer::appendFormatted(const wchar_t* format, ...) {
    wchar_t text[kNumberRoom];
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(text, kNumberRoom, format, args);
    va_end(args);
    return n >= 0 && append(text, n);
}

bool StrBuffer::appendInt64(int64_t value) { return appendFormatted(L"%I64d", value); }
bool StrBuffer::appendUInt32(uint32_t value) { return appendFormatted(L"%u", value); }
bool StrBuffer::appendUInt16(uint16_t value) { return appendFormatted(L"%u", static_cast<uint32_t>(value)); }
bool StrBuffer::appendUInt8(uint8_t value) { return appendFormatted(L"%u", static_cast<uint32_t>(value)); }
bool StrBuffer::appendInt32(int32_t value) { return appendFormatted(L"%d", value); }
bool StrBuffer::appendInt16(int16_t value) { return appendFormatted(L"%d", static_cast<int32_t>(value)); }
bool StrBuffer::appendInt8(int8_t value) { return appendFormatted(L"%d", static_cast<int32_t>(value)); }
bool StrBuffer::appendFloat(float value) { return appendFormatted(L"%f", static_cast<double>(value)); }
bool StrBuffer::appendDouble(double value) { return appendFormatted(L"%f", value); }

// The setters format after the content, then keep only the new text: the old content
// stays when memory runs out.
template <class F>
static bool setNumber(StrBuffer& string, F appendNumber) {
    const uint32_t old = string.length();
    if (!appendNumber()) return false;
    string.keepRange(old, string.length());
    return true;
}

bool StrBuffer::setInt64(int64_t value) { return setNumber(*this, [&] { return appendInt64(value); }); }
bool StrBuffer::setUInt32(uint32_t value) { return setNumber(*this, [&] { return appendUInt32(value); }); }
bool StrBuffer::setUInt16(uint16_t value) { return setNumber(*this, [&] { return appendUInt16(value); }); }
bool StrBuffer::setUInt8(uint8_t value) { return setNumber(*this, [&] { return appendUInt8(value); }); }
bool StrBuffer::setInt32(int32_t value) { return setNumber(*this, [&] { return appendInt32(value); }); }
bool StrBuffer::setInt16(int16_t value) { return setNumber(*this, [&] { return appendInt16(value); }); }
bool StrBuffer::setInt8(int8_t value) { return setNumber(*this, [&] { return appendInt8(value); }); }
bool StrBuffer::setFloat(float value) { return setNumber(*this, [&] { return appendFloat(value); }); }
bool StrBuffer::setDouble(double value) { return setNumber(*this, [&] { return appendDouble(value); }); }

int32_t StrBuffer::toInt() const { return _wtoi(cString()); }

int64_t StrBuffer::toInt64() const { return _wtoi64(cString()); }

float StrBuffer::toFloat() const { return static_cast<float>(std::wcstod(cString(), nullptr)); }

// Hexadecimal text

bool StrBuffer::isHex() const {
    if (m_length == 0) return false;
    for (uint32_t i = 0; i < m_length; ++i)
        if (!isHexUnit(m_chars[i])) return false;
    return true;
}

uint32_t StrBuffer::hexDigitValue(uint32_t i) const { return hexValue(charAt(i)); }

uint32_t StrBuffer::parseHex() const {
    uint32_t value = 0;
    for (uint32_t i = 0; i < m_length; ++i) value = value * 16 + hexValue(m_chars[i]);
    return value;
}

// One byte per pair of units, high digit first; a unit that is no hex digit counts as 0,
// and a last unpaired unit is left out.
ArrayU08* StrBuffer::hexToBytes(ArrayU08* array, bool append) const {
    ArrayU08* out = s::col::_array::resultBytes(array, append);
    if (!out) return nullptr;
    const uint32_t pairs = m_length / 2;
    if (!out->reserve(out->count() + pairs)) {
        if (!array) out->releaseToPool();
        return nullptr;
    }
    for (uint32_t i = 0; i < pairs; ++i)
        out->add(static_cast<uint8_t>(hexValue(m_chars[2 * i]) << 4 | hexValue(m_chars[2 * i + 1])));
    return out;
}

bool StrBuffer::isInteger() const {
    if (m_length == 0) return false;
    uint32_t i = m_chars[0] == L'-' && m_length > 1 ? 1 : 0;
    for (; i < m_length; ++i)
        if (m_chars[i] < L'0' || m_chars[i] > L'9') return false;
    return true;
}

// Digest

StrBuffer* StrBuffer::digest(s::digest::IDigester* digester, StrBuffer* result, bool append) const {
    return s::digest::md5::digestHex(digester, m_chars, m_length * sizeof(wchar_t), result, append);
}

// Code pages. UTF-16 (1200) and UTF-16BE (1201) are recognised by number, wherever the
// CodePage object came from, and copied unit by unit; every other page goes through the
// Windows conversion, whose own answer sizes the output (ISO-2022, HZ and GB18030 need far
// more than three bytes per unit). UTF-8 never needs more than three bytes per unit (a
// surrogate pair takes four for its two), so it is converted in one call.

namespace {

bool isUtf16(uint32_t number) { return number == kUtf16 || number == kUtf16BigEndian; }

// Bytes that `units` take in code page `number`; false when the page cannot convert them.
bool encodedSize(uint32_t number, const wchar_t* units, uint32_t n, uint64_t* size) {
    if (isUtf16(number)) {
        *size = static_cast<uint64_t>(n) * 2;
    } else if (n == 0) {
        *size = 0;
    } else if (number == CP_UTF8) {
        *size = static_cast<uint64_t>(n) * 3;
    } else {
        int bytes = WideCharToMultiByte(number, 0, units, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return false;
        *size = static_cast<uint64_t>(bytes);
    }
    return *size <= kMaxConvertedBytes;
}

// Converts into out (room for `room` bytes); answers the bytes written, -1 on failure.
int64_t encodeUnits(uint32_t number, const wchar_t* units, uint32_t n, uint8_t* out, uint64_t room) {
    if (n == 0) return 0;
    if (number == kUtf16) {
        std::memcpy(out, units, static_cast<size_t>(n) * 2);
        return static_cast<int64_t>(n) * 2;
    }
    if (number == kUtf16BigEndian) {
        for (uint32_t i = 0; i < n; ++i) {
            out[2 * i] = static_cast<uint8_t>(units[i] >> 8);
            out[2 * i + 1] = static_cast<uint8_t>(units[i]);
        }
        return static_cast<int64_t>(n) * 2;
    }
    int bytes = WideCharToMultiByte(number, 0, units, static_cast<int>(n), reinterpret_cast<char*>(out),
                                    static_cast<int>(room), nullptr, nullptr);
    return bytes > 0 ? bytes : -1;
}

}  // namespace

// The text (and, with terminator, a counted zero unit of the page: two bytes for UTF-16,
// else one) after the array's count, or in place of its content. An uncounted zero follows.
ArrayU08* StrBuffer::encode(uint32_t number, ArrayU08* array, bool append, bool terminator) const {
    uint64_t size = 0;
    if (!encodedSize(number, m_chars, m_length, &size)) return nullptr;
    const uint32_t zeros = isUtf16(number) ? 2 : 1;
    ArrayU08* out = array ? array : s::thread::Pool<ArrayU08>::obtain();
    if (!out) return nullptr;
    const uint32_t base = append ? out->count() : 0;
    const uint64_t room = base + size + zeros;
    bool ok = room <= kMaxConvertedBytes &&
              (append ? out->reserve(static_cast<uint32_t>(room)) : out->setCapacity(static_cast<uint32_t>(room)));
    int64_t written = ok ? encodeUnits(number, m_chars, m_length, out->data() + base, size) : -1;
    if (written < 0) {
        if (!array) out->releaseToPool();
        return nullptr;
    }
    const uint32_t end = base + static_cast<uint32_t>(written);
    std::memset(out->data() + end, 0, zeros);
    out->setCount(terminator ? end + zeros : end);
    return out;
}

ArrayU08* StrBuffer::toUtf8WithTerminator(ArrayU08* array, bool append) const {
    return encode(CP_UTF8, array, append, true);
}
ArrayU08* StrBuffer::toUtf8(ArrayU08* array, bool append) const { return encode(CP_UTF8, array, append, false); }

// The catalogue is loaded on the first code-page conversion, so that its pages exist by
// the time a caller looks for one; the conversion itself goes by the page's number.
ArrayU08* StrBuffer::toCodePageWithTerminator(const CodePage* codePage, ArrayU08* array, bool append) const {
    s::system::codepage::loadCodePageCatalogue();
    return codePage ? encode(static_cast<uint32_t>(codePage->number()), array, append, true) : nullptr;
}
ArrayU08* StrBuffer::toCodePage(const CodePage* codePage, ArrayU08* array, bool append) const {
    s::system::codepage::loadCodePageCatalogue();
    return codePage ? encode(static_cast<uint32_t>(codePage->number()), array, append, false) : nullptr;
}

// The OEM code page as the system reports it at the call (437 under Wine's default locale).
ArrayU08* StrBuffer::toOemWithTerminator(ArrayU08* array, bool append) const {
    return encode(GetOEMCP(), array, append, true);
}
ArrayU08* StrBuffer::toOem(ArrayU08* array, bool append) const { return encode(GetOEMCP(), array, append, false); }

namespace {

// Bytes of the text: byteCount, or up to the zero byte (for UTF-16: the zero unit).
uint32_t byteLength(uint32_t number, const uint8_t* bytes, int32_t byteCount) {
    if (!bytes) return 0;
    if (byteCount >= 0) return static_cast<uint32_t>(byteCount);
    if (!isUtf16(number)) return static_cast<uint32_t>(std::strlen(reinterpret_cast<const char*>(bytes)));
    uint32_t n = 0;
    while (bytes[n] || bytes[n + 1]) n += 2;
    return n;
}

// Units that n bytes give; false when the page cannot convert them.
bool decodedSize(uint32_t number, const uint8_t* bytes, uint32_t n, uint32_t* units) {
    if (isUtf16(number)) {
        *units = n / 2;
    } else if (n == 0) {
        *units = 0;
    } else if (number == CP_UTF8) {
        *units = n;  // one byte never gives more than one unit
    } else {
        int count = MultiByteToWideChar(number, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(n),
                                        nullptr, 0);
        if (count <= 0) return false;
        *units = static_cast<uint32_t>(count);
    }
    return true;
}

// Converts into out (room for `room` units); answers the units written, -1 on failure.
int64_t decodeBytes(uint32_t number, const uint8_t* bytes, uint32_t n, wchar_t* out, uint32_t room) {
    if (isUtf16(number)) {
        const bool big = number == kUtf16BigEndian;
        for (uint32_t i = 0; i < n / 2; ++i) {
            uint8_t first = bytes[2 * i], second = bytes[2 * i + 1];
            out[i] = static_cast<wchar_t>(big ? (first << 8 | second) : (second << 8 | first));
        }
        return n / 2;
    }
    if (n == 0) return 0;
    int count = MultiByteToWideChar(number, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(n), out,
                                    static_cast<int>(room));
    return count > 0 ? count : -1;
}

}  // namespace

bool StrBuffer::decode(uint32_t number, const uint8_t* bytes, bool append, int32_t byteCount) {
    const uint32_t n = byteLength(number, bytes, byteCount);
    if (n > kMaxConvertedBytes) return false;
    if (n && isInsideBlock(bytes)) {  // this string's own bytes: convert a copy of them
        ArrayU08 copy;
        return copy.append(bytes, n, 0) && decode(number, copy.data(), append, static_cast<int32_t>(n));
    }
    uint32_t units = 0;
    if (!decodedSize(number, bytes, n, &units)) return false;
    const uint32_t base = append ? m_length : 0;
    if (units > UINT32_MAX - base || !reserve(base + units)) return false;
    int64_t produced = decodeBytes(number, bytes, n, m_chars + base, units);
    if (produced < 0) return false;
    m_length = base + static_cast<uint32_t>(produced);
    return true;
}

bool StrBuffer::setFromUtf8(const uint8_t* bytes, bool append, int32_t byteCount) {
    return decode(CP_UTF8, bytes, append, byteCount);
}

bool StrBuffer::setFromCodePage(const CodePage* codePage, const uint8_t* bytes, bool append,
                                int32_t byteCount) {
    s::system::codepage::loadCodePageCatalogue();
    return codePage && decode(static_cast<uint32_t>(codePage->number()), bytes, append, byteCount);
}

bool StrBuffer::setFromOem(const uint8_t* bytes, bool append, int32_t byteCount) {
    return decode(GetOEMCP(), bytes, append, byteCount);
}

}  // namespace s::str::strbuffer
