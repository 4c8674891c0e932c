// s/app/win/UpdateServices.cpp
#include "s/app/win/UpdateServices.h"

#include <windows.h>

#include "s/gui/ITextLocalizer.h"
#include "s/gui/dialogs/FlexAsker.h"
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

// The box takes its button and check-box captions from the language pack itself, the same
// texts the check names.
bool UpdateServices::askYes(const wchar_t* title, const wchar_t* message,
                            const wchar_t* /*yesText*/, const wchar_t* /*noText*/,
                            const wchar_t* /*checkText*/, bool showCheck) {
    if (!m_base || !m_window || !m_window->getHandle()) return false;
    s::gui::dialogs::FlexAsker* asker = s::gui::dialogs::FlexAsker::createWindow(m_base);
    if (!asker) return false;
    asker->setShowCheckBox(showCheck);
    const bool yes = asker->ask(m_window->getHandle(), title, message);
    asker->releaseToPool();
    return yes;
}

void UpdateServices::open(const wchar_t* address) { s::system::win::shellOpen(address); }

const wchar_t* UpdateServices::text(uint32_t id) {
    return m_localizer ? m_localizer->getText(static_cast<int32_t>(id)) : L"";
}

}  // namespace s::app::win
