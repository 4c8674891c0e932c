// s/archive/dll/win/Entry.h
//
// One resource of a module archive (pooled, capacity 1000): size, name, type, language and
// the handle FindResourceExW gave. Owned by its archive; one thread at a time.
#pragma once
#include "s/archive/dll/IEntry.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::archive::dll::win {

class Entry final : public s::archive::dll::IEntry {
public:
    Entry() = default;
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    // The type and name in the form of the system's resource calls (valid while the entry
    // is unchanged).
    const wchar_t* systemType() const;
    const wchar_t* systemName() const;
    LANGID language() const { return MAKELANGID(m_primary, m_sub); }
    // Same type, name and language as the system's resource calls give them.
    bool matches(const wchar_t* type, const wchar_t* name, LANGID language) const;

    // s::archive::IEntry
    s::str::strbuffer::StrBuffer* name(s::str::strbuffer::StrBuffer* out, bool append) const override;
    uint64_t size() const override { return m_size; }

    // s::archive::dll::IEntry
    void setSize(uint64_t size) override { m_size = size; }
    void setNameId(uint16_t id) override;
    bool setName(const wchar_t* text) override;
    bool hasNumericName() const override { return m_nameIsId; }
    bool hasTextName() const override { return !m_nameIsId; }
    uint16_t nameId() const override { return m_nameIsId ? m_nameId : 0; }
    const wchar_t* nameText() const override { return m_nameIsId ? L"" : m_name.cString(); }
    void setTypeId(uint32_t code, bool standard) override;
    bool setType(const wchar_t* text) override;
    bool hasNumericType() const override { return m_typeIsId; }
    bool hasTextType() const override { return !m_typeIsId; }
    uint32_t typeId() const override { return m_typeIsId ? m_typeId : 0; }
    bool hasStandardType() const override { return m_typeIsId && m_standard; }
    const wchar_t* typeText() const override { return m_typeIsId ? L"" : m_type.cString(); }
    HRSRC handle() const override { return m_handle; }
    void setHandle(HRSRC handle) override { m_handle = handle; }
    uint32_t exportTypeOrdinal() const override;
    void setPrimaryLanguage(uint16_t language) override { m_primary = language & 0x3FF; }
    uint16_t primaryLanguage() const override { return m_primary; }
    void setSubLanguage(uint16_t language) override { m_sub = language & 0x3F; }
    uint16_t subLanguage() const override { return m_sub; }

    // IObject
    const wchar_t* classId() const override { return L"s_archive_dll_win_Entry"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    uint64_t m_size = 0;
    bool m_nameIsId = true;
    uint16_t m_nameId = 0;
    s::str::strbuffer::StrBuffer m_name;
    bool m_typeIsId = true;
    bool m_standard = true;
    uint32_t m_typeId = 0;
    s::str::strbuffer::StrBuffer m_type;
    HRSRC m_handle = nullptr;
    uint16_t m_primary = 0;
    uint16_t m_sub = 0;
};

}  // namespace s::archive::dll::win
