// s/lang/LangSystem.h
//
// What the language pack asks of the system: the name of the user's interface language and
// whether the system is older than version 6.0. A seam, so that tests choose both; the real
// answers are currentUiLanguageName and the OS version probe.
#pragma once

namespace s::lang {

struct LangSystem {
    const wchar_t* (*uiLanguageName)();
    bool (*isOlderThanVersion60)();
};

// The answers in use: the given ones until restored (null restores the system's own).
// Set only while no other thread uses a localizer.
const LangSystem& langSystem();
void setLangSystem(const LangSystem* replacement);

}  // namespace s::lang
