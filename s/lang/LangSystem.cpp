// s/lang/LangSystem.cpp
#include "s/lang/LangSystem.h"

#include "s/lang/UiLanguage.h"
#include "s/system/win/OsVersion.h"

namespace s::lang {

namespace {

bool isOlderThanVersion60() {
    const s::system::win::OsVersion& version = s::system::win::osVersion();
    // A failed probe leaves 0.0: take it as a current system, which needs no repair.
    return version.majorVersion != 0 && !version.isVersion60OrLater;
}

const LangSystem kSystem = {&currentUiLanguageName, &isOlderThanVersion60};
const LangSystem* g_inUse = &kSystem;

}  // namespace

const LangSystem& langSystem() { return *g_inUse; }

void setLangSystem(const LangSystem* replacement) { g_inUse = replacement ? replacement : &kSystem; }

}  // namespace s::lang
