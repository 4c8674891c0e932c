// s/lang/LangPack.cpp
#include "s/lang/LangPack.h"

#include <cwchar>

#include "s/lang/LangSystem.h"
#include "s/thread/Pool.h"

namespace s::lang {

using s::str::strbuffer::StrBuffer;

LangPack::LangPack() { useTextRules(); }

LangPack::~LangPack() { resetForReuse(); }

// The map gives its texts back to the string pool whether it is emptied or destroyed.
void LangPack::useTextRules() {
    s::base::IDestructor* strings = &s::thread::Pool<StrBuffer>::pooler();
    m_byStringId.setValueDisposal(strings, strings);
}

bool LangPack::setNames(const wchar_t* tag, const wchar_t* englishName, const wchar_t* nativeName) {
    const bool set = m_tag.setText(tag ? tag : L"") && m_englishName.setText(englishName ? englishName : L"") &&
                     m_nativeName.setText(nativeName ? nativeName : L"");
    // Fonts of systems before 6.0 have no U+019A; U+0142 reads the same to Venetian readers.
    m_repairsVenetian = std::wcscmp(m_tag.cString(), L"vec") == 0 && langSystem().isOlderThanVersion60();
    return set;
}

StrBuffer* LangPack::newText(const wchar_t* text) const {
    StrBuffer* copy = s::str::strbuffer::newStrBuffer(text);
    if (copy && m_repairsVenetian) {
        for (uint32_t i = 0; i < copy->length(); ++i)
            if (copy->chars()[i] == kVenetianL) copy->chars()[i] = kOlderSystemsL;
    }
    return copy;
}

bool LangPack::addText(int32_t id, const wchar_t* text) {
    StrBuffer* copy = newText(text);
    if (!copy) return false;
    if (!m_ids.add(id)) {
        copy->releaseToPool();
        return false;
    }
    if (!m_texts.addBuffer(copy)) {  // the copy went back to its pool
        m_ids.removeAt(m_ids.count() - 1);
        return false;
    }
    return true;
}

bool LangPack::addTextById(const wchar_t* id, const wchar_t* text) {
    StrBuffer* key = s::str::strbuffer::newStrBuffer(id);
    if (!key) return false;
    if (m_byStringId.find(m_byStringId.hashOf(key), key)) {
        key->releaseToPool();
        return true;
    }
    StrBuffer* copy = newText(text);
    if (!copy) {
        key->releaseToPool();
        return false;
    }
    if (!m_stringIds.addBuffer(key)) {  // the key went back to its pool
        copy->releaseToPool();
        return false;
    }
    if (!m_byStringId.put(m_byStringId.hashOf(key), key, copy)) {
        copy->releaseToPool();
        return false;  // the key stays listed; it maps to nothing
    }
    return true;
}

const wchar_t* LangPack::textAt(uint32_t i) const {
    const StrBuffer* text = m_texts.at(i);
    return text ? text->cString() : nullptr;
}

bool LangPack::hasId(int32_t id) const { return m_ids.indexOf(id); }

const wchar_t* LangPack::findText(int32_t id) const {
    int32_t index = -1;
    return m_ids.indexOf(id, &index) ? textAt(static_cast<uint32_t>(index)) : nullptr;
}

const wchar_t* LangPack::findTextById(const wchar_t* id) const {
    StrBuffer* key = s::str::strbuffer::newStrBuffer(id);
    if (!key) return nullptr;
    const s::map::MapTableNode* node = m_byStringId.find(m_byStringId.hashOf(key), key);
    key->releaseToPool();
    return node ? static_cast<const StrBuffer*>(node->value())->cString() : nullptr;
}

s::base::IObject* LangPack::newInstance() const { return s::thread::Pool<LangPack>::obtain(); }

void LangPack::releaseToPool() { s::thread::Pool<LangPack>::release(this); }

void LangPack::resetForReuse() {
    m_byStringId.resetForReuse();  // its texts go back to the pool; its rules are forgotten
    useTextRules();
    m_stringIds.reset();
    m_texts.reset();
    m_ids.freeBuffer();
    m_tag.clear();
    m_englishName.clear();
    m_nativeName.clear();
    m_repairsVenetian = false;
}

}  // namespace s::lang
