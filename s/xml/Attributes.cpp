// s/xml/Attributes.cpp
#include "s/xml/Attributes.h"

#include <cwchar>

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

bool Attributes::find(const wchar_t* name, int32_t nameLength, uint32_t* index) const {
    const uint32_t length = textLength(name, nameLength);
    for (uint32_t i = 0; i < m_pairs.count(); ++i) {
        if (!sameNameIgnoringCase(at(i), name, length)) continue;
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
    if (m_pairs.add(pair)) return true;
    AttrFactory::shared().release(pair);
    return false;
}

void Attributes::removeAt(uint32_t i) {
    if (i >= m_pairs.count()) return;
    AttrFactory::shared().release(static_cast<AttrPair*>(m_pairs.removeAt(i)));
}

uint32_t Attributes::removeAll(const wchar_t* name) {
    const uint32_t length = textLength(name, -1);
    uint32_t removed = 0;
    for (uint32_t i = m_pairs.count(); i-- > 0;) {
        if (!sameNameIgnoringCase(at(i), name, length)) continue;
        removeAt(i);
        ++removed;
    }
    return removed;
}

void Attributes::clear() {
    for (uint32_t i = 0; i < m_pairs.count(); ++i) AttrFactory::shared().release(m_pairs.item<AttrPair>(i));
    m_pairs.clear();
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
