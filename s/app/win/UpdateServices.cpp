// s/app/win/UpdateServices.cpp
#include "s/app/win/UpdateServices.h"

#include <windows.h>

#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/system/win/ShellOpen.h"

namespace s::app::win {

int64_t UpdateServices::currentTimeMillis() {
    constexpr int64_t kUnitsTo1970 = 116444736000000000LL;  // 100 ns units, 1601 to 1970
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    int64_t units = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (units - kUnitsTo1970) / 10000;
}

bool UpdateServices::askYes(const wchar_t* /*title*/, const wchar_t* message,
                            const wchar_t* /*yesText*/, const wchar_t* /*noText*/,
                            const wchar_t* /*checkText*/, bool /*showCheck*/) {
    return m_window && m_window->getHandle() && m_window->askYesNo(message);
}

void UpdateServices::open(const wchar_t* address) { s::system::win::shellOpen(address); }

const wchar_t* UpdateServices::text(uint32_t id) {
    return m_localizer ? m_localizer->getText(static_cast<int32_t>(id)) : L"";
}

}  // namespace s::app::win
