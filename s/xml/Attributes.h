// s/xml/Attributes.h
//
// The ordered (name, value) pairs of one element; a pair with an empty name is a run of
// element text. Values are kept as they appear in the document (still escaped). Owns its
// pairs, which come from and go back to the AttrFactory. One thread at a time. Failures:
// add answers false and changes nothing when memory runs out.
#pragma once
#include <cstdint>

#include "s/xml/AttrPair.h"

namespace s::xml {

class Attributes {
public:
    Attributes() = default;
    ~Attributes();
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;

    uint32_t count() const { return m_count; }
    const AttrPair* at(uint32_t i) const { return i < m_count ? m_items[i] : nullptr; }  // null beyond the end
    // The first pair whose name equals `name` ignoring case (nameLength -1: up to the
    // terminator); *index is left untouched on a miss.
    bool find(const wchar_t* name, int32_t nameLength, uint32_t* index) const;
    const AttrPair* findPair(const wchar_t* name) const;
    bool add(const wchar_t* name, int32_t nameLength, const wchar_t* value, int32_t valueLength);
    void removeAt(uint32_t i);
    // Every pair of that name (ignoring case): a file may repeat a name, and a first copy
    // left behind would hide a value written after it. Answers how many went.
    uint32_t removeAll(const wchar_t* name);
    void clear();

    // Reads the attributes of an opening tag from p (before `end`): stops at '>' or '/' or
    // the end and answers where it stopped. Pairs are appended to `into` unless it is null.
    static const wchar_t* parseTag(const wchar_t* p, const wchar_t* end, Attributes* into);

private:
    bool roomForOne();

    // A bare array rather than an ArrayP: every element has one, and an ArrayP alone is 72
    // bytes, four times what this needs.
    AttrPair** m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

}  // namespace s::xml
