// mfc/CWinApp.h
//
// Our own application object under the framework's name; for now it only carries the
// application's title, which captions the message boxes. One lives at a time.
#pragma once
#include <windows.h>

namespace mfc {

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    const wchar_t* m_pszAppName;
};

// The application object, null when none was made.
CWinApp* AfxGetApp();
// The title of message boxes: the application's name when one was given, else string
// resource 0xE000 of the program, else the program file's name without ".exe".
const wchar_t* AfxGetAppName();

}  // namespace mfc
