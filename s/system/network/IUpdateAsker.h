// s/system/network/IUpdateAsker.h
//
// Asks the user whether to look at the new version (the question box over the window):
// true for yes. Called on the thread of the check; the implementation owns any window.
#pragma once

namespace s::system::network {

class IUpdateAsker {
public:
    virtual ~IUpdateAsker() = default;
    virtual bool askYes(const wchar_t* title, const wchar_t* message, const wchar_t* yesText,
                        const wchar_t* noText, const wchar_t* checkText, bool showCheck) = 0;
};

}  // namespace s::system::network
