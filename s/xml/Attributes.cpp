// s/xml/Attributes.cpp
#include "s/xml/Attributes.h"

#include <cwchar>
#include <new>

#include "s/xml/AttrFactory.h"
#include "s/xml/XmlChars.h"

namespace s::xml {

namespace {

uint32_t textLength(const wchar_t* text, int32_t length) {
    if (!text) return 0;
    return length < 0 ? static_cast<uint32_t>(std::wcslen(text)) : static_cast<uint32_t>(length);
}

bool sameNameIgnoringCase(const AttrPair* pair, const wchar_t* name, uint32_t length) {
    return pair->nameLength == length && (length == 0 || _wcsnicmp(pair->name, name, length) == 0);
}

}  // namespace

Attributes::~Attributes() {
    clear();
    delete[] m_items;
}

bool Attributes::roomForOne() {
    if (m_count < m_capacity) return true;
    const uint32_t capacity = m_capacity ? m_capacity * 2 : 4;
    if (capacity <= m_capacity) return false;
    AttrPair** items = new (std::nothrow) AttrPair*[capacity];
    if (!items) return false;
    for (uint32_t i = 0; i < m_count; ++i) items[i] = m_items[i];
    delete[] m_items;
    m_items = items;
    m_capacity = capacity;
    return true;
}

bool Attributes::find(const wchar_t* name, int32_t nameLength, uint32_t* index) const {
    const uint32_t length = textLength(name, nameLength);
    for (uint32_t i = 0; i < m_count; ++i) {
        if (!sameNameIgnoringCase(m_items[i], name, length)) continue;
        if (index) *index = i;
        return true;
    }
    return false;
}

const AttrPair* Attributes::findPair(const wchar_t* name) const {
    uint32_t i = 0;
    return find(name, -1, &i) ? at(i) : nullptr;
}

bool Attributes::add(const wchar_t* name, int32_t nameLength, const wchar_t* value, int32_t valueLength) {
    AttrPair* pair = AttrFactory::shared().obtain(name ? name : L"", textLength(name, nameLength),
                                                  value ? value : L"", textLength(value, valueLength));
    if (!pair) return false;
    if (!roomForOne()) {
        AttrFactory::shared().release(pair);
        return false;
    }
    m_items[m_count++] = pair;
    return true;
}

void Attributes::removeAt(uint32_t i) {
    if (i >= m_count) return;
    AttrFactory::shared().release(m_items[i]);
    for (uint32_t j = i + 1; j < m_count; ++j) m_items[j - 1] = m_items[j];
    --m_count;
}

uint32_t Attributes::removeAll(const wchar_t* name) {
    const uint32_t length = textLength(name, -1);
    uint32_t removed = 0;
    for (uint32_t i = m_count; i-- > 0;) {
        if (!sameNameIgnoringCase(m_items[i], name, length)) continue;
        removeAt(i);
        ++removed;
    }
    return removed;
}

void Attributes::clear() {
    // The block stays: a pooled element is refilled with about as many pairs.
    for (uint32_t i = 0; i < m_count; ++i) AttrFactory::shared().release(m_items[i]);
    m_count = 0;
}

// A pair's name runs up to '=' or a space; its value is what lies between the next two
// double quotes, so a missing quote runs to the end. A pair with an empty name is dropped:
// it would pass for element text and could carry a '<' into the text the writer makes.
const wchar_t* Attributes::parseTag(const wchar_t* p, const wchar_t* end, Attributes* into) {
    for (;;) {
        p = skipSpace(p, end);
        if (p == end || *p == L'>' || *p == L'/') return p;
        const wchar_t* name = p;
        while (p < end && *p != L'=' && *p != L' ') ++p;
        const uint32_t nameLength = static_cast<uint32_t>(p - name);
        p = findChar(p, end, L'"');
        const wchar_t* value = p == end ? end : p + 1;
        p = findChar(value, end, L'"');
        if (into && nameLength) into->add(name, static_cast<int32_t>(nameLength), value, static_cast<int32_t>(p - value));
        if (p < end) ++p;  // past the closing quote
    }
}

}  // namespace s::xml
