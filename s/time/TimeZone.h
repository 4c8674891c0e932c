// s/time/TimeZone.h
//
// A time zone record: a 32-bit value, three names, a 16-bit value and the Windows
// TIME_ZONE_INFORMATION. The names are pooled StrBuffers obtained at construction (a name
// is null when the pool had none to give); the record owns them. Pooled (capacity 1000).
// No lock: one thread at a time. Nothing in the library fills or reads the process's own
// record (sharedTimeZone); it is built on first use, not by a static initialiser, so no
// other unit's start-up order matters.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer { class StrBuffer; }

namespace s::time {

class TimeZone final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    static constexpr int kNameCount = 3;

    TimeZone();
    ~TimeZone() override;  // deletes the names
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

    uint32_t value32() const { return m_value32; }
    void setValue32(uint32_t value) { m_value32 = value; }
    s::str::strbuffer::StrBuffer* name(int i) const { return i >= 0 && i < kNameCount ? m_names[i] : nullptr; }
    uint16_t value16() const { return m_value16; }
    void setValue16(uint16_t value) { m_value16 = value; }
    TIME_ZONE_INFORMATION& information() { return m_information; }
    const TIME_ZONE_INFORMATION& information() const { return m_information; }

    // IObject
    const wchar_t* classId() const override { return L"s_time_TimeZone"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: both values 0, the names emptied and their blocks freed, the information zeroed
    void releaseToPool() override;
    void resetForReuse() override;

private:
    uint32_t m_value32 = 0;
    s::str::strbuffer::StrBuffer* m_names[kNameCount];
    uint16_t m_value16 = 0;
    TIME_ZONE_INFORMATION m_information;
};

// The process's one time zone record, made on first use (safe from any thread) and kept
// until the process ends.
TimeZone& sharedTimeZone();

}  // namespace s::time
