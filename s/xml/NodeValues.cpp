// s/xml/NodeValues.cpp
//
// The typed attribute setters and getters. Numbers are formatted by StrBuffer into a
// bounded buffer of 330 units, which holds "%f" of any double (DBL_MAX gives 316).
#include <cstdlib>
#include <cwchar>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Escape.h"
#include "s/xml/Node.h"

namespace s::xml {

bool Node::setFormatted(const wchar_t* name, const StrBuffer& value) {
    return m_attributes.add(name, -1, value.chars() ? value.chars() : L"", static_cast<int32_t>(value.length()));
}

bool Node::setS64(const wchar_t* name, int64_t value) {
    StrBuffer v;
    return v.appendInt64(value) && setFormatted(name, v);
}
bool Node::setU32(const wchar_t* name, uint32_t value) {
    StrBuffer v;
    return v.appendUInt32(value) && setFormatted(name, v);
}
bool Node::setU16(const wchar_t* name, uint16_t value) {
    StrBuffer v;
    return v.appendUInt16(value) && setFormatted(name, v);
}
bool Node::setU8(const wchar_t* name, uint8_t value) {
    StrBuffer v;
    return v.appendUInt8(value) && setFormatted(name, v);
}
bool Node::setU64(const wchar_t* name, uint64_t value) { return setS64(name, static_cast<int64_t>(value)); }
bool Node::setS32(const wchar_t* name, int32_t value) {
    StrBuffer v;
    return v.appendInt32(value) && setFormatted(name, v);
}
bool Node::setS16(const wchar_t* name, int16_t value) {
    StrBuffer v;
    return v.appendInt16(value) && setFormatted(name, v);
}
bool Node::setS8(const wchar_t* name, int8_t value) {
    StrBuffer v;
    return v.appendInt8(value) && setFormatted(name, v);
}
bool Node::setFloat(const wchar_t* name, float value) {
    StrBuffer v;
    return v.appendFloat(value) && setFormatted(name, v);
}
bool Node::setDouble(const wchar_t* name, double value) {
    StrBuffer v;
    return v.appendDouble(value) && setFormatted(name, v);
}

bool Node::setText(const wchar_t* name, const wchar_t* text) {
    StrBuffer v;
    const bool isText = !name || !*name;
    const bool escaped = isText ? xmlEscapeText(text, -1, &v, false) : xmlEscapeAttribute(text, -1, &v, false);
    return escaped && setFormatted(name, v);
}

bool Node::setHex64(const wchar_t* name, const uint64_t* values, uint32_t count) {
    StrBuffer v;
    return (count == 0 || v.appendHex64(values, count)) && setFormatted(name, v);
}
bool Node::setHex32(const wchar_t* name, const uint32_t* values, uint32_t count) {
    StrBuffer v;
    return (count == 0 || v.appendHex32(values, count)) && setFormatted(name, v);
}
bool Node::setHex16(const wchar_t* name, const uint16_t* values, uint32_t count) {
    StrBuffer v;
    return (count == 0 || v.appendHex16(values, count)) && setFormatted(name, v);
}
bool Node::setHex8(const wchar_t* name, const uint8_t* values, uint32_t count) {
    StrBuffer v;
    return (count == 0 || v.appendHex8(values, count)) && setFormatted(name, v);
}
bool Node::setHex64AsHalves(const wchar_t* name, const uint64_t* values, uint32_t count) {
    StrBuffer v;
    for (uint32_t i = 0; i < count; ++i)
        if (!v.appendHex32(static_cast<uint32_t>(values[i])) || !v.appendHex32(static_cast<uint32_t>(values[i] >> 32)))
            return false;
    return setFormatted(name, v);
}

const wchar_t* Node::getText(const wchar_t* name, const wchar_t* defaultText) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? pair->value : defaultText;
}

bool Node::getBool(const wchar_t* name, bool defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    if (!pair) return defaultValue;
    return std::wcscmp(pair->value, L"1") == 0 || std::wcsncmp(pair->value, L"true", 4) == 0;
}

int8_t Node::getS8(const wchar_t* name, int8_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<int8_t>(_wtoi(pair->value)) : defaultValue;
}
int16_t Node::getS16(const wchar_t* name, int16_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<int16_t>(_wtoi(pair->value)) : defaultValue;
}
int32_t Node::getS32(const wchar_t* name, int32_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<int32_t>(_wtoi(pair->value)) : defaultValue;
}
int64_t Node::getS64(const wchar_t* name, int64_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<int64_t>(_wtoi64(pair->value)) : defaultValue;
}
uint8_t Node::getU8(const wchar_t* name, uint8_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<uint8_t>(std::wcstoul(pair->value, nullptr, 10)) : defaultValue;
}
uint16_t Node::getU16(const wchar_t* name, uint16_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<uint16_t>(std::wcstoul(pair->value, nullptr, 10)) : defaultValue;
}
uint32_t Node::getU32(const wchar_t* name, uint32_t defaultValue) const {
    const AttrPair* pair = pairNamed(name);
    return pair ? static_cast<uint32_t>(std::wcstoul(pair->value, nullptr, 10)) : defaultValue;
}

bool Node::getUnescapedText(const wchar_t* name, StrBuffer* out, bool append, const wchar_t* defaultText) const {
    if (!out) return false;
    const AttrPair* pair = pairNamed(name);
    if (!pair) {
        if (!append) out->clear();
        out->append(defaultText ? defaultText : L"");
        return false;
    }
    const int32_t n = static_cast<int32_t>(pair->valueLength);
    if (pair->nameLength == 0) return xmlUnescapeText(pair->value, n, out, append);
    return xmlUnescapeAttribute(pair->value, n, out, append);
}

}  // namespace s::xml
