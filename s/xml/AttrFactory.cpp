// s/xml/AttrFactory.cpp
#include "s/xml/AttrFactory.h"

#include <cwchar>
#include <new>

#include "s/base/Lasting.h"

namespace s::xml {

AttrFactory& AttrFactory::shared() {
    static s::base::Lasting<AttrFactory> factory;
    return factory.get();
}

AttrFactory::~AttrFactory() {
    while (m_free) {
        AttrPair* next = m_free->next;
        delete m_free;
        m_free = next;
    }
}

AttrPair* AttrFactory::takeShell() {
    {
        s::thread::Lock lock(m_lock);
        if (m_free) {
            AttrPair* pair = m_free;
            m_free = pair->next;
            --m_kept;
            pair->next = nullptr;
            return pair;
        }
    }
    return new (std::nothrow) AttrPair();
}

AttrPair* AttrFactory::obtain(const wchar_t* name, uint32_t nameLength, const wchar_t* value,
                              uint32_t valueLength) {
    // Both lengths come from texts in memory, so their sum plus two terminators cannot wrap
    // on a 32-bit machine; the size_t arithmetic keeps that true on any other.
    const size_t units = static_cast<size_t>(nameLength) + valueLength + 2;
    wchar_t* block = new (std::nothrow) wchar_t[units];
    if (!block) return nullptr;
    AttrPair* pair = takeShell();
    if (!pair) {
        delete[] block;
        return nullptr;
    }
    if (nameLength) std::wmemcpy(block, name, nameLength);
    block[nameLength] = 0;
    wchar_t* copy = block + nameLength + 1;
    if (valueLength) std::wmemcpy(copy, value, valueLength);
    copy[valueLength] = 0;
    pair->name = block;
    pair->nameLength = nameLength;
    pair->value = copy;
    pair->valueLength = valueLength;
    return pair;
}

void AttrFactory::release(AttrPair* pair) {
    if (!pair) return;
    delete[] pair->name;
    *pair = AttrPair();
    s::thread::Lock lock(m_lock);
    if (m_kept >= kCapacity) {
        delete pair;
        return;
    }
    pair->next = m_free;
    m_free = pair;
    ++m_kept;
}

uint32_t AttrFactory::keptCount() {
    s::thread::Lock lock(m_lock);
    return m_kept;
}

}  // namespace s::xml
