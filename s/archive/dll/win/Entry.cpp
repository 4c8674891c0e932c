// s/archive/dll/win/Entry.cpp
#include "s/archive/dll/win/Entry.h"

#include "s/archive/dll/TypeCodes.h"
#include "s/thread/Pool.h"

#include <cwchar>

namespace s::archive::dll::win {

using s::str::strbuffer::StrBuffer;

namespace {

bool isId(const wchar_t* text) { return reinterpret_cast<uintptr_t>(text) < 0x10000; }
uint16_t idOf(const wchar_t* text) { return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(text)); }

}  // namespace

const wchar_t* Entry::systemType() const {
    return m_typeIsId ? MAKEINTRESOURCEW(exportTypeOrdinal()) : m_type.cString();
}

const wchar_t* Entry::systemName() const { return m_nameIsId ? MAKEINTRESOURCEW(m_nameId) : m_name.cString(); }

bool Entry::matches(const wchar_t* type, const wchar_t* name, LANGID language) const {
    if (language != this->language() || isId(type) != m_typeIsId || isId(name) != m_nameIsId) return false;
    const bool sameType = m_typeIsId ? idOf(type) == exportTypeOrdinal() : wcscmp(m_type.cString(), type) == 0;
    const bool sameName = m_nameIsId ? idOf(name) == m_nameId : wcscmp(m_name.cString(), name) == 0;
    return sameType && sameName;
}

StrBuffer* Entry::name(StrBuffer* out, bool append) const {
    StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result) return nullptr;
    if (m_nameIsId)
        result->appendUInt32(m_nameId);
    else
        result->appendStr(&m_name);
    return result;
}

void Entry::setNameId(uint16_t id) {
    m_nameIsId = true;
    m_nameId = id;
    m_name.clear();
}

bool Entry::setName(const wchar_t* text) {
    if (isId(text)) {
        setNameId(idOf(text));
        return true;
    }
    m_nameIsId = false;
    m_nameId = 0;
    return m_name.setText(text);
}

void Entry::setTypeId(uint32_t code, bool standard) {
    m_typeIsId = true;
    m_typeId = code;
    m_standard = standard;
    m_type.clear();
}

bool Entry::setType(const wchar_t* text) {
    if (isId(text)) {
        uint32_t code = 0;
        const bool standard = typeCodeOfStandardId(idOf(text), &code);
        setTypeId(standard ? code : idOf(text), standard);
        return true;
    }
    m_typeIsId = false;
    m_typeId = 0;
    m_standard = false;
    return m_type.setText(text);
}

uint32_t Entry::exportTypeOrdinal() const {
    if (!m_typeIsId) return 0;
    return m_standard ? standardIdOfTypeCode(m_typeId) : m_typeId;
}

s::base::IObject* Entry::newInstance() const { return s::thread::Pool<Entry>::obtain(); }

void Entry::releaseToPool() { s::thread::Pool<Entry>::release(this); }

void Entry::resetForReuse() {
    m_size = 0;
    setNameId(0);
    setTypeId(0, true);
    m_name.freeBuffer();
    m_type.freeBuffer();
    m_handle = nullptr;
    m_primary = 0;
    m_sub = 0;
}

}  // namespace s::archive::dll::win
