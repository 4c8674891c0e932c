// tests/s/lang/FakeLangSystem.h
//
// Chooses the interface language's name and the system's age for the language pack while
// it lives, and gives the system's own answers back at its end.
#pragma once
#include "s/lang/LangSystem.h"

namespace tests {

class FakeLangSystem {
public:
    explicit FakeLangSystem(const wchar_t* uiName, bool older = false) {
        s_uiName = uiName;
        s_older = older;
        s::lang::setLangSystem(&kFake);
    }
    ~FakeLangSystem() { s::lang::setLangSystem(nullptr); }
    FakeLangSystem(const FakeLangSystem&) = delete;
    FakeLangSystem& operator=(const FakeLangSystem&) = delete;

private:
    static const wchar_t* uiName() { return s_uiName; }
    static bool older() { return s_older; }

    static inline const wchar_t* s_uiName = L"English";
    static inline bool s_older = false;
    static constexpr s::lang::LangSystem kFake = {&uiName, &older};
};

}  // namespace tests
