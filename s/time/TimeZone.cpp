// s/time/TimeZone.cpp
#include "s/time/TimeZone.h"

#include <cstring>

#include "s/base/Lasting.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::time {

using s::str::strbuffer::StrBuffer;

TimeZone::TimeZone() {
    for (StrBuffer*& name : m_names) name = s::thread::Pool<StrBuffer>::obtain();
    std::memset(&m_information, 0, sizeof m_information);
}

TimeZone::~TimeZone() {
    for (StrBuffer* name : m_names) delete name;
}

s::base::IObject* TimeZone::newInstance() const { return s::thread::Pool<TimeZone>::obtain(); }

void TimeZone::releaseToPool() { s::thread::Pool<TimeZone>::release(this); }

void TimeZone::resetForReuse() {
    m_value32 = 0;
    for (StrBuffer* name : m_names)
        if (name) name->freeBuffer();
    m_value16 = 0;
    std::memset(&m_information, 0, sizeof m_information);
}

TimeZone& sharedTimeZone() {
    static s::base::Lasting<TimeZone> zone;  // lives until the process ends
    return zone.get();
}

}  // namespace s::time
