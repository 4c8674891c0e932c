// s/system/codepage/CodePage.h
//
// A code page the string conversions can use: its Windows number and its display name.
// 1200 (UTF-16) and 1201 (UTF-16BE) are converted by the strings themselves; every other
// number goes to the Windows conversion functions. Pooled; one thread at a time.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::system::codepage {

class CodePage final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    static constexpr int32_t kUtf16 = 1200;
    static constexpr int32_t kUtf16BigEndian = 1201;

    CodePage() = default;
    ~CodePage() override = default;
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    int32_t number() const { return m_number; }
    void setNumber(int32_t number) { m_number = number; }
    s::str::strbuffer::StrBuffer& name() { return m_name; }
    const s::str::strbuffer::StrBuffer& name() const { return m_name; }

    // IObject
    const wchar_t* classId() const override { return L"s_system_codepage_CodePage"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: number 0, name emptied and its block freed
    void releaseToPool() override;
    void resetForReuse() override;

private:
    int32_t m_number = 0;
    s::str::strbuffer::StrBuffer m_name;
};

// A pooled code page with the number and name set; null when none could be made.
CodePage* newCodePage(int32_t number, const wchar_t* name);

}  // namespace s::system::codepage
