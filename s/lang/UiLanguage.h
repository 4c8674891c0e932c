// s/lang/UiLanguage.h
//
// The English name of the user's interface language, in the form the packs' names are
// compared with ignoring case: "English", "Chinese_simplified", "Portuguese_portugal";
// "Unknown" for a language the table does not know.
#pragma once
#include <cstdint>

namespace s::lang {

// Longest name ("Portuguese_brazilian") and its terminator, with room to spare.
constexpr uint32_t kUiLanguageNameUnits = 32;

// The name of a Windows language id into out (always terminated, cut to outUnits).
void uiLanguageName(uint16_t languageId, wchar_t* out, uint32_t outUnits);
// The name of GetUserDefaultUILanguage, computed once per process and kept.
const wchar_t* currentUiLanguageName();

}  // namespace s::lang
