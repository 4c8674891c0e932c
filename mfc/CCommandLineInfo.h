// mfc/CCommandLineInfo.h
//
// Our own small stand-in for the framework's command-line receiver: the parser calls
// ParseParam once per argument after the program name. Only what the program's command line
// uses is here; the base does nothing with an argument, so an override never calls it.
#pragma once
#include <windows.h>

namespace mfc {

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // param: the argument without its leading '-' or '/' when flag is set; last: the final one.
    virtual void ParseParam(const wchar_t* param, BOOL flag, BOOL last) = 0;
};

}  // namespace mfc
